#include "io/Figure.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <ostream>
#include <string>

namespace {

// Figures are sized as the drawing is on a usual screen: 96 units to the inch, so a unit
// is three quarters of a PostScript point.
constexpr double kPointsPerUnit = 0.75;

std::string Num(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    std::string s = buf;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

std::string Hex(Rgb c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02x%02x%02x", RedOf(c), GreenOf(c), BlueOf(c));
    return buf;
}

// Names are Latin-1 in the document; every format here is read as UTF-8. Control
// characters have no place in a label and become '?'.
std::string Utf8(const std::string& latin1) {
    std::string out;
    for (unsigned char c : latin1) {
        if (c < 0x20 || c == 0x7F) {
            out += '?';
        } else if (c < 0x80) {
            out += char(c);
        } else {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string TexText(const std::string& latin1) {
    std::string out;
    for (char c : Utf8(latin1)) {
        switch (c) {
        case '\\': out += "\\textbackslash{}"; break;
        case '{': case '}': case '$': case '&': case '#': case '_': case '%': out += '\\'; out += c; break;
        case '^': out += "\\textasciicircum{}"; break;
        case '~': out += "\\textasciitilde{}"; break;
        default: out += c;
        }
    }
    return out;
}

std::string XmlText(const std::string& utf8) {
    std::string out;
    for (char c : utf8) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

// Colours by name, each defined once: the named colours of the palette keep their names
// ("Blue", "LightRed"), any other colour is named after its hex value.
class ColorNames {
public:
    explicit ColorNames(const Figure& f) {
        for (const FigureTrack& t : f.tracks) Add(t.color);
        if (!f.gridLines.empty()) Add(f.gridColor);
        for (const FigureEdge& e : f.edges) {
            Add(e.color);
            if (e.highlight != kNoHighlight) Add(e.highlight);
            for (Rgb b : e.bendFills) Add(b);
        }
        for (const FigureVertex& v : f.vertices) {
            Add(v.fill);
            Add(v.textColor);
            if (v.highlight != kNoHighlight) Add(v.highlight);
        }
    }
    const std::string& operator()(Rgb c) const { return m_names.at(c); }
    const std::map<Rgb, std::string>& All() const { return m_names; }

private:
    void Add(Rgb c) {
        if (m_names.count(c)) return;
        std::string name;
        for (int id = kFirstColorId; id <= kLastColorId && name.empty(); ++id)
            if (ColorIdToRgb(id) == c)
                for (char ch : ColorIdName(id))
                    if (ch != ' ') name += ch;
        if (name.empty()) name = c == kWhite ? "White" : "rgb" + Hex(c);
        m_names.emplace(c, name);
    }
    std::map<Rgb, std::string> m_names;
};

const char* TikzDash(LineDash d) {
    switch (d) {
    case LineDash::Dash: return ", dash pattern=on 6pt off 3pt";
    case LineDash::DashDot: return ", dash pattern=on 6pt off 2pt on 1.5pt off 2pt";
    case LineDash::DashDotDot: return ", dash pattern=on 6pt off 2pt on 1.5pt off 2pt on 1.5pt off 2pt";
    case LineDash::Solid: break;
    }
    return "";
}

const char* IpeDash(LineDash d) {
    switch (d) {
    case LineDash::Dash: return " dash=\"[6 3] 0\"";
    case LineDash::DashDot: return " dash=\"[6 2 1.5 2] 0\"";
    case LineDash::DashDotDot: return " dash=\"[6 2 1.5 2 1.5 2] 0\"";
    case LineDash::Solid: break;
    }
    return "";
}

std::string TikzPoint(Point p) { return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")"; }

} // namespace

void WriteTikz(const Figure& f, std::ostream& out) {
    const ColorNames names(f);
    out << "% Drawn by Arborix. One unit is a pixel of the drawing; y grows downwards.\n"
           "\\documentclass{standalone}\n\\usepackage{tikz}\n";
    for (const auto& [rgb, name] : names.All())
        out << "\\definecolor{" << name << "}{RGB}{" << int(RedOf(rgb)) << ',' << int(GreenOf(rgb)) << ','
            << int(BlueOf(rgb)) << "}\n";
    out << "\\begin{document}\n"
           "\\begin{tikzpicture}[x=0.75pt, y=-0.75pt,\n"
           "  vertex/.style={circle, draw=black, line width=0.75pt, inner sep=0pt, font=\\sffamily\\small},\n"
           "  bend/.style={circle, draw=black, line width=0.5pt, inner sep=0pt},\n"
           "  edge/.style={line width=1.5pt},\n"
           "  weight/.style={draw, fill=white, text=black, font=\\sffamily\\small, inner sep=1pt}";
    if (f.directed) out << ",\n  every edge path/.style={}, >=stealth";
    out << "]\n\\path[use as bounding box] (0,0) rectangle (" << f.width << ',' << f.height << ");\n";
    if (!f.tracks.empty() || !f.gridLines.empty()) out << "% guides\n";
    for (const FigureTrack& t : f.tracks) {
        out << "\\draw[" << names(t.color) << ", line width=" << Num(t.width * kPointsPerUnit) << "pt"
            << TikzDash(t.dash) << "] (0," << t.y << ") -- (" << f.width << ',' << t.y << ");\n";
        if (t.labelled)
            out << "\\node[anchor=south west, inner sep=1pt, text=gray, font=\\sffamily\\scriptsize] at (5,"
                << t.y << ") {" << t.index << "};\n";
    }
    for (std::int32_t x : f.gridLines)
        out << "\\draw[" << names(f.gridColor) << ", line width=0.75pt] (" << x << ",0) -- (" << x << ','
            << f.height << ");\n";
    bool halos = false;
    for (const FigureEdge& e : f.edges) {
        if (e.highlight == kNoHighlight) continue;
        if (!halos) out << "% highlights\n";
        halos = true;
        out << "\\draw[" << names(e.highlight) << ", line width=5.25pt, line cap=round, line join=round] ";
        for (std::size_t i = 0; i < e.points.size(); ++i) out << (i ? " -- " : "") << TikzPoint(e.points[i]);
        out << ";\n";
    }
    for (const FigureVertex& v : f.vertices) {
        if (v.highlight == kNoHighlight) continue;
        if (!halos) out << "% highlights\n";
        halos = true;
        out << "\\fill[" << names(v.highlight) << "] " << TikzPoint(v.center) << " circle[radius=" << v.radius + 5
            << "];\n";
    }
    out << "% vertices\n";
    for (const FigureVertex& v : f.vertices)
        out << "\\node[vertex, fill=" << names(v.fill) << ", text=" << names(v.textColor)
            << ", minimum size=" << Num(2 * v.radius * kPointsPerUnit) << "pt] (v" << v.id << ") at "
            << TikzPoint(v.center) << " {" << TexText(v.label) << "};\n";
    out << "% edges\n";
    for (const FigureEdge& e : f.edges) {
        out << "\\draw[edge, " << names(e.color) << TikzDash(e.dash) << (f.directed ? ", ->" : "") << "] (v"
            << f.vertices[e.from].id << ')';
        for (std::size_t i = 1; i + 1 < e.points.size(); ++i) out << " -- " << TikzPoint(e.points[i]);
        out << " -- ";
        if (e.showWeight) out << "node[weight, pos=0.5] {" << e.weight << "} ";
        out << "(v" << f.vertices[e.to].id << ");\n";
        for (std::size_t i = 1; i + 1 < e.points.size(); ++i)
            out << "\\node[bend, fill=" << names(e.bendFills[i - 1]) << ", minimum size="
                << Num(2 * e.bendRadius * kPointsPerUnit) << "pt] at " << TikzPoint(e.points[i]) << " {};\n";
    }
    out << "\\end{tikzpicture}\n\\end{document}\n";
}

void WriteIpe(const Figure& f, std::ostream& out) {
    const ColorNames names(f);
    const double w = f.width * kPointsPerUnit, h = f.height * kPointsPerUnit;
    auto at = [&](Point p) { return Num(p.x * kPointsPerUnit) + " " + Num(h - p.y * kPointsPerUnit); };
    auto disc = [&](Point c, double r) {
        const std::string rr = Num(r * kPointsPerUnit);
        return rr + " 0 0 " + rr + " " + at(c) + " e";
    };
    auto polyline = [&](const std::vector<Point>& pts) {
        std::string s;
        for (std::size_t i = 0; i < pts.size(); ++i) s += at(pts[i]) + (i ? " l\n" : " m\n");
        return s;
    };
    const bool guides = !f.tracks.empty() || !f.gridLines.empty();
    out << "<?xml version=\"1.0\"?>\n<!DOCTYPE ipe SYSTEM \"ipe.dtd\">\n<ipe version=\"70218\" creator=\"Arborix\">\n"
        << "<ipestyle name=\"arborix\">\n";
    for (const auto& [rgb, name] : names.All())
        out << "<color name=\"" << name << "\" value=\"" << Num(RedOf(rgb) / 255.0) << ' ' << Num(GreenOf(rgb) / 255.0)
            << ' ' << Num(BlueOf(rgb) / 255.0) << "\"/>\n";
    out << "<layout paper=\"" << Num(w) << ' ' << Num(h) << "\" origin=\"0 0\" frame=\"" << Num(w) << ' ' << Num(h)
        << "\"/>\n</ipestyle>\n<page>\n";
    if (guides) out << "<layer name=\"guides\"/>\n";
    out << "<layer name=\"drawing\"/>\n<view layers=\"" << (guides ? "guides " : "") << "drawing\" active=\"drawing\"/>\n";
    for (const FigureTrack& t : f.tracks) {
        out << "<path layer=\"guides\" stroke=\"" << names(t.color) << "\" pen=\"" << Num(t.width * kPointsPerUnit)
            << "\"" << IpeDash(t.dash) << ">\n" << polyline({{0, t.y}, {f.width, t.y}}) << "</path>\n";
        if (t.labelled)
            out << "<text layer=\"guides\" transformations=\"translations\" pos=\"" << at({5, t.y - 2})
                << "\" stroke=\"0.5\" type=\"label\" size=\"small\" valign=\"baseline\">" << t.index << "</text>\n";
    }
    for (std::int32_t x : f.gridLines)
        out << "<path layer=\"guides\" stroke=\"" << names(f.gridColor) << "\" pen=\"0.75\">\n"
            << polyline({{x, 0}, {x, f.height}}) << "</path>\n";
    for (const FigureEdge& e : f.edges)
        if (e.highlight != kNoHighlight)
            out << "<path layer=\"drawing\" stroke=\"" << names(e.highlight) << "\" pen=\"5.25\" cap=\"1\" join=\"1\">\n"
                << polyline(e.points) << "</path>\n";
    for (const FigureVertex& v : f.vertices)
        if (v.highlight != kNoHighlight)
            out << "<path layer=\"drawing\" fill=\"" << names(v.highlight) << "\">\n" << disc(v.center, v.radius + 5)
                << "\n</path>\n";
    for (const FigureEdge& e : f.edges) {
        out << "<path layer=\"drawing\" stroke=\"" << names(e.color) << "\" pen=\"1.5\"" << IpeDash(e.dash)
            << (f.directed ? " arrow=\"normal/normal\"" : "") << ">\n" << polyline(e.points) << "</path>\n";
        for (std::size_t i = 1; i + 1 < e.points.size(); ++i)
            out << "<path layer=\"drawing\" stroke=\"black\" fill=\"" << names(e.bendFills[i - 1])
                << "\" pen=\"0.5\">\n" << disc(e.points[i], e.bendRadius) << "\n</path>\n";
        if (e.showWeight) {
            const Point mid{(e.points.front().x + e.points.back().x) / 2, (e.points.front().y + e.points.back().y) / 2};
            out << "<text layer=\"drawing\" transformations=\"translations\" pos=\"" << at(mid)
                << "\" stroke=\"black\" type=\"label\" halign=\"center\" valign=\"center\" style=\"normal\">"
                << e.weight << "</text>\n";
        }
    }
    for (const FigureVertex& v : f.vertices) {
        out << "<path layer=\"drawing\" stroke=\"black\" fill=\"" << names(v.fill) << "\" pen=\"0.75\">\n"
            << disc(v.center, v.radius) << "\n</path>\n";
        if (!v.label.empty())
            out << "<text layer=\"drawing\" transformations=\"translations\" pos=\"" << at(v.center) << "\" stroke=\""
                << names(v.textColor) << "\" type=\"label\" halign=\"center\" valign=\"center\">"
                << XmlText(TexText(v.label)) << "</text>\n";
    }
    out << "</page>\n</ipe>\n";
}

void WriteDot(const Figure& f, std::ostream& out) {
    auto quoted = [](const std::string& latin1) {
        std::string s = "\"";
        for (char c : Utf8(latin1)) {
            if (c == '"' || c == '\\') s += '\\';
            s += c;
        }
        return s + '"';
    };
    const double h = f.height * kPointsPerUnit;
    auto pos = [&](Point p) { return Num(p.x * kPointsPerUnit) + "," + Num(h - p.y * kPointsPerUnit); };
    const char* op = f.directed ? " -> " : " -- ";
    out << (f.directed ? "digraph" : "graph") << " G {\n"
        << "  graph [bb=\"0,0," << Num(f.width * kPointsPerUnit) << ',' << Num(h) << "\", notranslate=true];\n"
        << "  node [shape=circle, style=filled, fixedsize=true, fontname=\"Helvetica\", fontsize=10];\n"
        << "  edge [penwidth=1.5];\n";
    for (const FigureVertex& v : f.vertices)
        out << "  v" << v.id << " [pos=\"" << pos(v.center) << "!\", width=" << Num(2 * v.radius / 96.0)
            << ", label=" << quoted(v.label) << ", fillcolor=\"#" << Hex(v.fill) << "\", fontcolor=\"#"
            << Hex(v.textColor) << "\"];\n";
    for (const FigureEdge& e : f.edges) {
        // The edge's route as a B-spline of straight pieces: each piece repeats its ends
        // as control points. A directed edge ends short of the arrow's tip.
        std::vector<Point> pts = e.points;
        std::string route;
        if (f.directed && pts.size() >= 2) {
            const Point tip = pts.back(), prev = pts[pts.size() - 2];
            const double dx = tip.x - prev.x, dy = tip.y - prev.y, len = std::hypot(dx, dy);
            if (len > 10) pts.back() = {tip.x - std::int32_t(std::lround(10 * dx / len)),
                                        tip.y - std::int32_t(std::lround(10 * dy / len))};
            route = "e," + pos(tip) + " ";
        }
        route += pos(pts.front());
        for (std::size_t i = 1; i < pts.size(); ++i)
            route += " " + pos(pts[i - 1]) + " " + pos(pts[i]) + " " + pos(pts[i]);
        out << "  v" << f.vertices[e.from].id << op << 'v' << f.vertices[e.to].id << " [color=\"#" << Hex(e.color)
            << "\", pos=\"" << route << '"';
        if (e.dash != LineDash::Solid) out << ", style=" << (e.dash == LineDash::Dash ? "dashed" : "dotted");
        if (e.showWeight) out << ", label=\"" << e.weight << '"';
        out << "];\n";
    }
    out << "}\n";
}
