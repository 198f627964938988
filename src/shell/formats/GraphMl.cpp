#include "shell/formats/GraphMl.h"

#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "io/ParallelLanes.h"
#include "model/LattixDoc.h"

namespace {

const char* const kNs = "http://graphml.graphdrawing.org/xmlns";

QString RgbToHex(Rgb c) {
    return QString::asprintf("#%02X%02X%02X", RedOf(c), GreenOf(c), BlueOf(c));
}

std::optional<Rgb> HexToRgb(const QString& text) {
    QString s = text.trimmed();
    if (s.startsWith('#')) s.remove(0, 1);
    if (s.size() != 6) return std::nullopt;
    bool ok = false;
    const uint v = s.toUInt(&ok, 16);
    if (!ok) return std::nullopt;
    return MakeRgb((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

// An edge colour given as a code 1..8 or a name ("Red").
std::optional<std::uint16_t> EdgeCodeFrom(const QString& text) {
    bool ok = false;
    const int code = text.trimmed().toInt(&ok);
    if (ok) return IsEdgeColorCode(code) ? std::optional<std::uint16_t>(code) : std::nullopt;
    for (int c = 1; c <= 8; ++c)
        if (text.trimmed().compare(QString::fromLatin1(EdgeCodeName(c).data(), EdgeCodeName(c).size()),
                                   Qt::CaseInsensitive) == 0)
            return static_cast<std::uint16_t>(c);
    return std::nullopt;
}

QString Latin1(const std::string& s) { return QString::fromLatin1(s.data(), qsizetype(s.size())); }
// XML cannot carry most control characters, not even escaped, and the writer refuses the
// whole document when a name holds one: they are written as '?', as the text export does
// with what Latin-1 cannot show.
QString XmlText(const std::string& s) {
    QString text = Latin1(s);
    for (QChar& c : text)
        if (c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') c = u'?';
    return text;
}
std::string ToLatin1(const QString& s) { return s.toLatin1().toStdString(); }

} // namespace

bool WriteGraphMl(const CLattixDoc& doc, const std::string& path) {
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) return false;
    QXmlStreamWriter w(&file);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeStartElement("graphml");
    w.writeDefaultNamespace(kNs);
    struct Key {
        const char *id, *forWhat, *name, *type;
    };
    const Key keys[] = {{"d0", "node", "name", "string"},  {"d1", "node", "x", "double"},
                        {"d2", "node", "y", "double"},     {"d3", "node", "radius", "int"},
                        {"d4", "node", "color", "string"}, {"d5", "node", "track", "int"},
                        {"d6", "node", "bend", "boolean"}, {"d7", "edge", "color", "string"},
                        {"d8", "edge", "weight", "int"}};
    for (const Key& k : keys) {
        w.writeStartElement("key");
        w.writeAttribute("id", k.id);
        w.writeAttribute("for", k.forWhat);
        w.writeAttribute("attr.name", k.name);
        w.writeAttribute("attr.type", k.type);
        w.writeEndElement();
    }
    w.writeStartElement("graph");
    w.writeAttribute("id", "G");
    w.writeAttribute("edgedefault", doc.m_directed ? "directed" : "undirected");

    auto data = [&](const char* key, const QString& value) {
        w.writeStartElement("data");
        w.writeAttribute("key", key);
        w.writeCharacters(value);
        w.writeEndElement();
    };
    QHash<const CVertex*, QString> ids;
    int n = 0;
    for (const CElement* e : doc.m_elements) {
        const CVertex* v = e->AsVertex();
        if (!v) continue;
        const QString id = QStringLiteral("n%1").arg(n++);
        ids.insert(v, id);
        w.writeStartElement("node");
        w.writeAttribute("id", id);
        data("d0", XmlText(v->m_name));
        data("d1", QString::number(v->m_center.x));
        data("d2", QString::number(v->m_center.y));
        data("d3", QString::number(v->m_radius));
        data("d4", RgbToHex(v->m_color));
        data("d5", QString::number(v->m_trackNumber));
        data("d6", v->m_isBend ? "true" : "false");
        w.writeEndElement();
    }
    int m = 0;
    for (const CElement* el : doc.m_elements) {
        const CEdge* e = el->AsEdge();
        if (!e || !e->m_v1 || !e->m_v2) continue;
        w.writeStartElement("edge");
        w.writeAttribute("id", QStringLiteral("e%1").arg(m++));
        w.writeAttribute("source", ids.value(e->m_v1));
        w.writeAttribute("target", ids.value(e->m_v2));
        const std::string_view name = EdgeCodeName(e->m_edgeColor);
        data("d7", name.empty() ? QString::number(e->m_edgeColor) : QString::fromLatin1(name.data(), name.size()));
        data("d8", QString::number(e->m_weight));
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndDocument();
    return !w.hasError() && file.commit();
}

namespace {

struct NodeData {
    QString id;
    std::optional<std::string> name;
    std::optional<double> x, y;
    std::optional<int> radius, track;
    std::optional<Rgb> color;
    bool bend = false;
};

struct EdgeData {
    QString source, target;
    std::optional<std::uint16_t> code;
    std::optional<int> weight;
};

class GraphMlReader {
public:
    bool Read(QIODevice& device, std::string& error) {
        QXmlStreamReader xml(&device);
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement()) continue;
            const auto name = xml.name();
            if (name == u"key") ReadKey(xml);
            else if (name == u"graph") m_directed = xml.attributes().value("edgedefault") == u"directed";
            else if (name == u"node") ReadNode(xml);
            else if (name == u"edge") ReadEdge(xml);
        }
        if (xml.hasError()) {
            error = "Unexpected file format.";
            return false;
        }
        for (const EdgeData& e : m_edges) {
            if (!m_nodeIndex.contains(e.source) || !m_nodeIndex.contains(e.target)) {
                error = "Unexpected file format.";
                return false;
            }
        }
        return true;
    }

    void AddTo(CLattixDoc& doc) const {
        const Rgb fill = doc.m_currentColor;
        const int columns = std::max(1, int(std::ceil(std::sqrt(double(m_nodes.size())))));
        std::vector<CVertex*> vertices;
        vertices.reserve(m_nodes.size());
        for (std::size_t i = 0; i < m_nodes.size(); ++i) {
            const NodeData& n = m_nodes[i];
            auto coord = [](double v) { return std::int32_t(std::clamp(v, 0.0, double(kCanvasSize))); };
            const int gx = 60 * (int(i) % columns + 1), gy = 60 * (int(i) / columns + 1);
            auto* v = new CVertex(n.x ? coord(*n.x) : gx, n.y ? coord(*n.y) : gy, n.color.value_or(fill));
            // Unnamed nodes keep their GraphML id as their label.
            v->m_name = n.name ? *n.name : ToLatin1(n.id);
            // A new vertex already has the default radius of 10 (inside a square of 30).
            if (n.radius && *n.radius != 10) v->SetRadius(std::clamp(*n.radius, 3, 35));
            if (n.track) v->m_trackNumber = *n.track;
            v->m_isBend = n.bend;
            doc.AddElement(v);
            vertices.push_back(v);
        }
        std::vector<std::pair<std::uint32_t, std::uint32_t>> ends;
        ends.reserve(m_edges.size());
        for (const EdgeData& e : m_edges)
            ends.emplace_back(std::uint32_t(m_nodeIndex.value(e.source)), std::uint32_t(m_nodeIndex.value(e.target)));
        const std::vector<std::int32_t> lanes = ParallelLanes(ends, vertices.size());
        for (std::size_t i = 0; i < m_edges.size(); ++i) {
            const EdgeData& e = m_edges[i];
            auto* edge = new CEdge(vertices[ends[i].first], vertices[ends[i].second], e.code.value_or(kEdgeBlue), lanes[i]);
            if (e.weight) edge->m_weight = *e.weight;
            doc.AddElement(edge);
        }
        doc.m_directed = m_directed;
    }

private:
    void ReadKey(QXmlStreamReader& xml) {
        const auto a = xml.attributes();
        m_keys.insert(a.value("id").toString(), a.value("attr.name").toString().toLower());
    }

    // The <data> children of the current element, as (attribute name, text) pairs.
    template <typename F>
    void ReadData(QXmlStreamReader& xml, const QString& endTag, F onData) {
        while (xml.readNextStartElement()) {
            if (xml.name() == u"data") {
                const QString key = m_keys.value(xml.attributes().value("key").toString());
                onData(key, xml.readElementText(QXmlStreamReader::SkipChildElements));
            } else {
                xml.skipCurrentElement();
            }
        }
    }

    void ReadNode(QXmlStreamReader& xml) {
        NodeData n;
        n.id = xml.attributes().value("id").toString();
        ReadData(xml, "node", [&](const QString& key, const QString& text) {
            bool ok = false;
            if (key == "name" || key == "label") n.name = ToLatin1(text);
            else if (key == "x") { if (double v = text.toDouble(&ok); ok && std::isfinite(v)) n.x = v; }
            else if (key == "y") { if (double v = text.toDouble(&ok); ok && std::isfinite(v)) n.y = v; }
            else if (key == "radius") { if (int v = text.toInt(&ok); ok) n.radius = v; }
            else if (key == "track") { if (int v = text.toInt(&ok); ok) n.track = v; }
            else if (key == "color" || key == "colour") n.color = HexToRgb(text);
            else if (key == "bend") n.bend = text.trimmed() == "true" || text.trimmed() == "1";
        });
        if (!m_nodeIndex.contains(n.id)) {
            m_nodeIndex.insert(n.id, int(m_nodes.size()));
            m_nodes.push_back(std::move(n));
        }
    }

    void ReadEdge(QXmlStreamReader& xml) {
        EdgeData e;
        e.source = xml.attributes().value("source").toString();
        e.target = xml.attributes().value("target").toString();
        ReadData(xml, "edge", [&](const QString& key, const QString& text) {
            bool ok = false;
            if (key == "color" || key == "colour") e.code = EdgeCodeFrom(text);
            else if (key == "weight") { if (int v = text.toInt(&ok); ok) e.weight = v; }
        });
        m_edges.push_back(std::move(e));
    }

    QHash<QString, QString> m_keys;
    std::vector<NodeData> m_nodes;
    QHash<QString, int> m_nodeIndex;
    std::vector<EdgeData> m_edges;
    bool m_directed = false;
};

} // namespace

bool ReadGraphMl(CLattixDoc& doc, const std::string& path, std::string& error) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        error = "Failed to open document.";
        return false;
    }
    GraphMlReader reader;
    if (!reader.Read(file, error)) return false;
    reader.AddTo(doc);
    return true;
}

bool ReadGraphMlBytes(CLattixDoc& doc, std::span<const std::uint8_t> bytes, std::string& error) {
    const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    GraphMlReader reader;
    if (!reader.Read(buffer, error)) return false;
    reader.AddTo(doc);
    return true;
}
