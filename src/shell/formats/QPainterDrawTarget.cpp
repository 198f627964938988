#include "shell/formats/QPainterDrawTarget.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <tuple>

#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <QString>

QColor ToQColor(Rgb rgb) { return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb)); }

struct CachedFont {
    QFont font;
    QFontMetrics metrics;
};

namespace {

// Vertex labels try several sizes per vertex on every paint; building a QFont and its
// metrics each time would dominate a repaint, so fonts live for the whole run.
class FontCache {
public:
    const CachedFont& Get(const Font& wanted) {
        const Key key{wanted.face, wanted.height, wanted.cellHeight, wanted.width};
        auto it = m_fonts.find(key);
        if (it == m_fonts.end()) it = m_fonts.emplace(key, std::make_unique<CachedFont>(Make(wanted))).first;
        return *it->second;
    }

private:
    using Key = std::tuple<std::string, std::int32_t, bool, std::int32_t>;

    static CachedFont Make(const Font& wanted) {
        QFont font(QString::fromStdString(wanted.face));
        font.setStyleHint(QFont::SansSerif);
        const int height = std::max(1, wanted.height);
        if (wanted.cellHeight) {
            // The whole cell (ascent and descent) is to be `height` pixels tall.
            QFont probe = font;
            probe.setPixelSize(100);
            const int cell = std::max(1, QFontMetrics(probe).height());
            font.setPixelSize(std::max(1, height * 100 / cell));
        } else {
            font.setPixelSize(height);
        }
        if (wanted.width > 0) {
            // The width asked for is the average advance of the lowercase letters. Faces
            // declare their own averages over different glyph sets (Liberation Sans counts
            // every glyph and comes out a third wider than its letters), so the letters are
            // measured, stretched, and measured once more to take out the rounding.
            static const QString kLetters = "abcdefghijklmnopqrstuvwxyz";
            const auto average = [](const QFont& f) {
                return std::max(1.0, QFontMetricsF(f).horizontalAdvance(kLetters) / kLetters.size());
            };
            const double asked = wanted.width;
            int stretch = std::clamp(int(std::lround(asked * 100 / average(font))), 1, 4000);
            font.setStretch(stretch);
            stretch = std::clamp(int(std::lround(stretch * asked / average(font))), 1, 4000);
            font.setStretch(stretch);
        }
        return {font, QFontMetrics(font)};
    }

    std::map<Key, std::unique_ptr<CachedFont>> m_fonts;
};

FontCache& Fonts() {
    static FontCache cache;
    return cache;
}

Qt::PenStyle ToQtStyle(PenStyle style) {
    switch (style) {
    case PenStyle::Solid: return Qt::SolidLine;
    case PenStyle::Dash: return Qt::DashLine;
    case PenStyle::DashDot: return Qt::DashDotLine;
    case PenStyle::DashDotDot: return Qt::DashDotDotLine;
    case PenStyle::Dot: return Qt::DotLine;
    case PenStyle::Null: return Qt::NoPen;
    }
    return Qt::SolidLine;
}

QRectF ToQRectF(const Rect& r) { return QRectF(r.left, r.top, r.Width(), r.Height()); }

} // namespace

TextSize MeasureTextIn(const Font& font, const std::string& text) {
    const CachedFont& f = Fonts().Get(font);
    return {f.metrics.horizontalAdvance(QString::fromStdString(text)), f.metrics.height()};
}

int PixelSizeOf(const Font& font) { return Fonts().Get(font).font.pixelSize(); }

QPainterDrawTarget::QPainterDrawTarget(QPainter& painter, std::optional<Rect> visible)
    : m_painter(painter), m_visible(visible) {
    m_painter.setBackgroundMode(Qt::TransparentMode);
    SetRasterOp(RasterOp::Copy);
    SetPen(Pen{});
    SetBrush(std::nullopt);
    SetFont(Font{});
}

void QPainterDrawTarget::SetPen(const Pen& pen) {
    if (pen.style == PenStyle::Null) {
        m_pen = QPen(Qt::NoPen);
    } else {
        // Dashed pens end flat so that dash patterns meet cleanly at vertices; plain pens
        // end round, as wide pens usually do.
        m_pen = QPen(ToQColor(pen.color), pen.width, ToQtStyle(pen.style), pen.flatEnds ? Qt::FlatCap : Qt::RoundCap,
                     Qt::RoundJoin);
    }
    m_painterHasShapePen = false;
}

void QPainterDrawTarget::SetBrush(std::optional<Rgb> fill) {
    m_painter.setBrush(fill ? QBrush(ToQColor(*fill)) : QBrush(Qt::NoBrush));
}

void QPainterDrawTarget::SetFont(const Font& font) {
    m_font = &Fonts().Get(font);
    m_painter.setFont(m_font->font);
}

void QPainterDrawTarget::SetTextColor(Rgb color) { m_textColor = ToQColor(color); }

void QPainterDrawTarget::SetRasterOp(RasterOp op) {
    if (op == RasterOp::NotXor) {
        // Inverting drawing must hit exactly the same pixels twice to erase itself.
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        m_painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    } else {
        m_painter.setRenderHint(QPainter::Antialiasing, true);
        m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

void QPainterDrawTarget::UseShapePen() {
    if (m_painterHasShapePen) return;
    m_painter.setPen(m_pen);
    m_painterHasShapePen = true;
}

void QPainterDrawTarget::Line(Point from, Point to) {
    UseShapePen();
    // Pens of odd width are centred on the pixel, so straight lines stay crisp.
    const double half = m_pen.width() % 2 == 1 ? 0.5 : 0.0;
    m_painter.drawLine(QPointF(from.x + half, from.y + half), QPointF(to.x + half, to.y + half));
}

void QPainterDrawTarget::Rectangle(const Rect& r) {
    UseShapePen();
    m_painter.drawRect(ToQRectF(r));
}

void QPainterDrawTarget::Ellipse(const Rect& bounds) {
    UseShapePen();
    m_painter.drawEllipse(ToQRectF(bounds));
}

void QPainterDrawTarget::FillRect(const Rect& r, Rgb color) { m_painter.fillRect(ToQRectF(r), ToQColor(color)); }

TextSize QPainterDrawTarget::MeasureText(const std::string& text) {
    const QString s = QString::fromStdString(text);
    return {m_font->metrics.horizontalAdvance(s), m_font->metrics.height()};
}

void QPainterDrawTarget::Text(const std::string& text, const Rect& r, TextAlign align) {
    int flags = Qt::TextSingleLine | Qt::TextDontClip;
    switch (align) {
    case TextAlign::Center: flags |= Qt::AlignCenter; break;
    case TextAlign::CenterBottom: flags |= Qt::AlignHCenter | Qt::AlignBottom; break;
    case TextAlign::CenterTop: flags |= Qt::AlignHCenter | Qt::AlignTop; break;
    case TextAlign::LeftTop: flags |= Qt::AlignLeft | Qt::AlignTop; break;
    }
    m_painter.setPen(m_textColor);
    m_painterHasShapePen = false;
    m_painter.drawText(QRect(r.left, r.top, r.Width(), r.Height()), flags, QString::fromStdString(text));
}
