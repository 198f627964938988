// GML as Himsolt's published grammar gives it: a list of key-value pairs whose values are
// integers, reals, quoted strings or bracketed lists; '#' starts a comment line. Read
// here: graph [ directed, node [ id label graphics [ x y fill ] ], edge [ source target
// weight graphics [ fill ] ] ], as networkx and the graph archives write it. Nesting is
// followed with a stack of keys, not by recursion.

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "io/ImportedGraph.h"

namespace {

constexpr std::size_t kMaxNesting = 64;

struct GmlError {
    std::string why;
};

struct PendingNode {
    std::optional<std::string> id;
    ImportedNode node;
};

struct PendingEdge {
    std::optional<std::string> source, target;
    ImportedEdge edge;
};

// Strings may carry the character entities networkx writes (&quot; &amp; &#233; ...).
std::string DecodeEntities(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '&') {
            out += s[i];
            continue;
        }
        const std::size_t semi = s.find(';', i);
        if (semi == std::string_view::npos || semi - i > 10) {
            out += '&';
            continue;
        }
        const std::string_view name = s.substr(i + 1, semi - i - 1);
        long code = -1;
        if (name == "quot") code = '"';
        else if (name == "amp") code = '&';
        else if (name == "lt") code = '<';
        else if (name == "gt") code = '>';
        else if (name == "apos") code = '\'';
        else if (name.size() > 1 && name[0] == '#') {
            const std::string digits(name.substr(1));
            char* end = nullptr;
            code = digits[0] == 'x' ? std::strtol(digits.c_str() + 1, &end, 16) : std::strtol(digits.c_str(), &end, 10);
            if (!end || *end != '\0') code = -1;
        }
        if (code < 0) {
            out += '&';
            continue;
        }
        out += code < 0x100 ? char(code) : '?'; // names are Latin-1
        i = semi;
    }
    return out;
}

class GmlParser {
public:
    GmlParser(std::string_view text, ImportedGraph& graph) : m_s(text), m_graph(graph) {}

    std::size_t Line() const { return m_line; }

    void Parse() {
        for (;;) {
            SkipBlanks();
            if (m_pos >= m_s.size()) break;
            if (m_s[m_pos] == ']') {
                if (m_path.empty()) throw GmlError{"a ']' closes no list"};
                ++m_pos;
                Close();
                continue;
            }
            const std::string key = Key();
            SkipBlanks();
            if (m_pos >= m_s.size()) throw GmlError{"the key '" + key + "' has no value"};
            if (m_s[m_pos] == '[') {
                ++m_pos;
                Open(key);
            } else {
                Scalar(key, ReadValue());
            }
        }
        if (!m_path.empty()) throw GmlError{"a list is not closed"};
        if (!m_sawGraph) throw GmlError{"there is no graph in the file"};
        Resolve();
    }

private:
    struct Value {
        std::string text;
        bool isString = false;
        std::optional<double> number;
    };

    bool At(std::initializer_list<const char*> path) const {
        if (path.size() != m_path.size()) return false;
        std::size_t i = 0;
        for (const char* p : path)
            if (m_path[i++] != p) return false;
        return true;
    }

    void Open(const std::string& key) {
        if (m_path.size() >= kMaxNesting) throw GmlError{"lists are nested too deeply"};
        m_path.push_back(key);
        if (At({"graph"})) {
            if (m_sawGraph) throw GmlError{"the file holds more than one graph"};
            m_sawGraph = true;
        } else if (At({"graph", "node"})) {
            m_node = PendingNode{};
        } else if (At({"graph", "edge"})) {
            m_edge = PendingEdge{};
        }
    }

    void Close() {
        if (At({"graph", "node"})) {
            if (!m_node.id) throw GmlError{"a node has no id"};
            if (!m_nodeIndex.emplace(*m_node.id, m_graph.nodes.size()).second)
                throw GmlError{"two nodes have the id " + *m_node.id};
            if (m_node.node.label.empty()) m_node.node.label = *m_node.id;
            CheckSize();
            m_graph.nodes.push_back(std::move(m_node.node));
        } else if (At({"graph", "edge"})) {
            if (!m_edge.source || !m_edge.target) throw GmlError{"an edge lacks its source or target"};
            CheckSize();
            m_edges.push_back(std::move(m_edge));
        }
        m_path.pop_back();
    }

    void CheckSize() const {
        if (m_graph.nodes.size() + m_edges.size() >= kImportElementLimit)
            throw GmlError{"the graph has too many elements"};
    }

    void Scalar(const std::string& key, const Value& v) {
        if (At({"graph"})) {
            if (key == "directed" && v.number) m_graph.directed = *v.number != 0;
        } else if (At({"graph", "node"})) {
            if (key == "id") m_node.id = v.text;
            else if (key == "label" || (key == "name" && m_node.node.label.empty())) m_node.node.label = v.text;
        } else if (At({"graph", "node", "graphics"})) {
            if (key == "x" && v.number) m_node.node.x = *v.number;
            else if (key == "y" && v.number) m_node.node.y = *v.number;
            else if (key == "fill") m_node.node.fill = ParseColorText(v.text);
        } else if (At({"graph", "edge"})) {
            if (key == "source") m_edge.source = v.text;
            else if (key == "target") m_edge.target = v.text;
            else if (key == "weight" && v.number && std::abs(*v.number) < 2e9) m_edge.edge.weight = std::int32_t(*v.number);
        } else if (At({"graph", "edge", "graphics"})) {
            if (key == "fill")
                if (auto rgb = ParseColorText(v.text)) m_edge.edge.colorCode = NearestEdgeColor(*rgb);
        }
    }

    void Resolve() {
        for (const PendingEdge& p : m_edges) {
            const auto a = m_nodeIndex.find(*p.source), b = m_nodeIndex.find(*p.target);
            if (a == m_nodeIndex.end() || b == m_nodeIndex.end())
                throw GmlError{"an edge names a node that is not in the graph"};
            ImportedEdge e = p.edge;
            e.from = a->second;
            e.to = b->second;
            m_graph.edges.push_back(e);
        }
    }

    void SkipBlanks() {
        while (m_pos < m_s.size()) {
            const char c = m_s[m_pos];
            if (c == '\n') {
                ++m_line;
                ++m_pos;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                ++m_pos;
            } else if (c == '#') {
                while (m_pos < m_s.size() && m_s[m_pos] != '\n') ++m_pos;
            } else {
                return;
            }
        }
    }

    std::string Key() {
        const std::size_t start = m_pos;
        if (!std::isalpha(static_cast<unsigned char>(m_s[m_pos])) && m_s[m_pos] != '_')
            throw GmlError{"expected a key"};
        while (m_pos < m_s.size() && (std::isalnum(static_cast<unsigned char>(m_s[m_pos])) || m_s[m_pos] == '_')) ++m_pos;
        return std::string(m_s.substr(start, m_pos - start));
    }

    Value ReadValue() {
        Value v;
        if (m_s[m_pos] == '"') {
            const std::size_t end = m_s.find('"', m_pos + 1);
            if (end == std::string_view::npos) throw GmlError{"a string is not closed"};
            const std::string_view raw = m_s.substr(m_pos + 1, end - m_pos - 1);
            for (char c : raw) m_line += c == '\n';
            v.text = DecodeEntities(raw);
            v.isString = true;
            m_pos = end + 1;
            return v;
        }
        const std::size_t start = m_pos;
        while (m_pos < m_s.size() && (std::isdigit(static_cast<unsigned char>(m_s[m_pos])) || m_s[m_pos] == '-' ||
                                      m_s[m_pos] == '+' || m_s[m_pos] == '.' || m_s[m_pos] == 'e' || m_s[m_pos] == 'E'))
            ++m_pos;
        v.text = std::string(m_s.substr(start, m_pos - start));
        char* end = nullptr;
        const double d = std::strtod(v.text.c_str(), &end);
        if (v.text.empty() || *end != '\0') throw GmlError{"expected a number, a string or a list"};
        if (std::isfinite(d)) v.number = d;
        return v;
    }

    std::string_view m_s;
    std::size_t m_pos = 0;
    std::size_t m_line = 1;
    ImportedGraph& m_graph;
    std::vector<std::string> m_path;
    bool m_sawGraph = false;
    PendingNode m_node;
    PendingEdge m_edge;
    std::vector<PendingEdge> m_edges;
    std::unordered_map<std::string, std::size_t> m_nodeIndex;
};

} // namespace

bool ReadGml(std::span<const std::uint8_t> bytes, ImportedGraph& graph, std::string& error) {
    ImportedGraph read;
    GmlParser parser(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), read);
    try {
        parser.Parse();
    } catch (const GmlError& e) {
        error = "This GML file cannot be read: line " + std::to_string(parser.Line()) + ": " + e.why + ".";
        return false;
    }
    graph = std::move(read);
    return true;
}
