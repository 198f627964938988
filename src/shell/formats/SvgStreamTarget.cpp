#include "shell/formats/SvgStreamTarget.h"

#include <cstdio>

#include <QIODevice>

#include "shell/formats/QPainterDrawTarget.h"

namespace {

constexpr std::size_t kFlushSize = 1 << 20;

std::string Color(Rgb c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", RedOf(c), GreenOf(c), BlueOf(c));
    return buf;
}

std::string Escaped(const std::string& latin1) {
    std::string out;
    for (unsigned char c : latin1) {
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c < 0x20 || c == 0x7F) out += '?'; // XML cannot carry them
        else if (c < 0x80) out += char(c);
        else out += char(0xC0 | (c >> 6)), out += char(0x80 | (c & 0x3F));
    }
    return out;
}

// Dash lengths in multiples of the pen width, as Qt's dashed pens have them.
const char* DashArray(PenStyle s) {
    switch (s) {
    case PenStyle::Dash: return "4,2";
    case PenStyle::DashDot: return "4,2,1,2";
    case PenStyle::DashDotDot: return "4,2,1,2,1,2";
    case PenStyle::Dot: return "1,2";
    default: return nullptr;
    }
}

std::string N(std::int32_t v) { return std::to_string(v); }

} // namespace

SvgStreamTarget::SvgStreamTarget(QIODevice& out, std::int32_t width, std::int32_t height, const std::string& title)
    : m_out(out), m_width(width), m_height(height) {
    Put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
        N(width) + "\" height=\"" + N(height) + "\" viewBox=\"0 0 " + N(width) + " " + N(height) + "\">\n<title>" +
        Escaped(title) + "</title>\n<desc>Drawn by Arborix</desc>\n<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n");
}

SvgStreamTarget::~SvgStreamTarget() = default;

void SvgStreamTarget::Put(const std::string& s) {
    m_buffer += s;
    if (m_buffer.size() >= kFlushSize) Flush();
}

void SvgStreamTarget::Flush() {
    if (!m_buffer.empty() && m_out.write(m_buffer.data(), qint64(m_buffer.size())) != qint64(m_buffer.size()))
        m_failed = true;
    m_buffer.clear();
}

bool SvgStreamTarget::Finish() {
    CloseGroup();
    Put("</svg>\n");
    Flush();
    return !m_failed;
}

void SvgStreamTarget::CloseGroup() {
    if (m_groupOpen) Put("</g>\n");
    m_groupOpen = false;
}

void SvgStreamTarget::Group(bool filled) {
    std::string key;
    if (m_pen.style == PenStyle::Null) {
        key = "stroke=\"none\"";
    } else {
        const std::int32_t w = std::max(1, m_pen.width);
        key = "stroke=\"" + Color(m_pen.color) + "\" stroke-width=\"" + N(w) + "\"";
        key += m_pen.flatEnds ? " stroke-linecap=\"butt\"" : " stroke-linecap=\"round\"";
        if (const char* dash = DashArray(m_pen.style)) {
            std::string scaled;
            for (const char* p = dash; *p; ++p) scaled += *p == ',' ? std::string(",") : N((*p - '0') * w);
            key += " stroke-dasharray=\"" + scaled + "\"";
        }
    }
    key += filled && m_brush ? " fill=\"" + Color(*m_brush) + "\"" : " fill=\"none\"";
    if (m_groupOpen && key == m_groupKey) return;
    CloseGroup();
    Put("<g " + key + ">\n");
    m_groupKey = std::move(key);
    m_groupOpen = true;
}

void SvgStreamTarget::Line(Point from, Point to) {
    if (m_pen.style == PenStyle::Null) return;
    Group(false);
    Put("<path d=\"M" + N(from.x) + " " + N(from.y) + "L" + N(to.x) + " " + N(to.y) + "\"/>\n");
}

void SvgStreamTarget::Rectangle(const Rect& r) {
    Group(true);
    Put("<rect x=\"" + N(r.left) + "\" y=\"" + N(r.top) + "\" width=\"" + N(r.Width()) + "\" height=\"" + N(r.Height()) +
        "\"/>\n");
}

void SvgStreamTarget::Ellipse(const Rect& b) {
    Group(true);
    const double rx = b.Width() / 2.0, ry = b.Height() / 2.0;
    char buf[160];
    std::snprintf(buf, sizeof buf, "<ellipse cx=\"%g\" cy=\"%g\" rx=\"%g\" ry=\"%g\"/>\n", b.left + rx, b.top + ry, rx, ry);
    Put(buf);
}

void SvgStreamTarget::FillRect(const Rect& r, Rgb color) {
    CloseGroup();
    Put("<rect x=\"" + N(r.left) + "\" y=\"" + N(r.top) + "\" width=\"" + N(r.Width()) + "\" height=\"" + N(r.Height()) +
        "\" fill=\"" + Color(color) + "\"/>\n");
}

TextSize SvgStreamTarget::MeasureText(const std::string& text) { return MeasureTextIn(m_font, text); }

void SvgStreamTarget::Text(const std::string& text, const Rect& r, TextAlign align) {
    if (text.empty()) return;
    CloseGroup();
    const TextSize size = MeasureText(text);
    std::int32_t x = r.left + r.Width() / 2, y = r.top + (r.Height() + size.height) / 2;
    const char* anchor = "middle";
    switch (align) {
    case TextAlign::Center: break;
    case TextAlign::CenterBottom: y = r.bottom; break;
    case TextAlign::CenterTop: y = r.top + size.height; break;
    case TextAlign::LeftTop: x = r.left, y = r.top + size.height, anchor = "start"; break;
    }
    // The baseline sits a fifth of the line height above the bottom of the text box.
    y -= size.height / 5;
    Put("<text x=\"" + N(x) + "\" y=\"" + N(y) + "\" font-family=\"" + Escaped(m_font.face) +
        ", Liberation Sans, sans-serif\" font-size=\"" + N(PixelSizeOf(m_font)) + "\" text-anchor=\"" + anchor +
        // A label narrowed to fit its disc keeps the width it was fitted to.
        (m_font.width > 0 ? "\" textLength=\"" + N(size.width) + "\" lengthAdjust=\"spacingAndGlyphs" : std::string()) +
        "\" fill=\"" + Color(m_textColor) + "\">" + Escaped(text) + "</text>\n");
}
