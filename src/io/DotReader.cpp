// DOT as Graphviz publishes its grammar: graph, digraph (strict or not), node, edge and
// attribute statements, subgraphs (also as edge operands), quoted strings with '+'
// concatenation, HTML strings, ports (ignored) and the three comment forms.

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>
#include <string_view>
#include <unordered_map>

#include "io/ImportedGraph.h"

namespace {

// Subgraphs nest; deeper nesting than this is refused rather than followed.
constexpr int kMaxNesting = 64;
// A DOT file's positions are in points; a document unit is three quarters of one.
constexpr double kUnitsPerPoint = 1 / 0.75;

enum class Tok { End, Id, LBrace, RBrace, LBracket, RBracket, Equals, Semicolon, Comma, Colon, EdgeOp };

struct Token {
    Tok kind = Tok::End;
    std::string text;
    bool keywordable = false; // a plain identifier, which may be a keyword
};

struct ParseError {
    std::string why;
};

class Lexer {
public:
    explicit Lexer(std::string_view s) : m_s(s) {}

    std::size_t Line() const { return m_line; }

    Token Next() {
        SkipBlanks();
        Token t;
        if (m_pos >= m_s.size()) return t;
        const char c = m_s[m_pos];
        switch (c) {
        case '{': ++m_pos; t.kind = Tok::LBrace; return t;
        case '}': ++m_pos; t.kind = Tok::RBrace; return t;
        case '[': ++m_pos; t.kind = Tok::LBracket; return t;
        case ']': ++m_pos; t.kind = Tok::RBracket; return t;
        case '=': ++m_pos; t.kind = Tok::Equals; return t;
        case ';': ++m_pos; t.kind = Tok::Semicolon; return t;
        case ',': ++m_pos; t.kind = Tok::Comma; return t;
        case ':': ++m_pos; t.kind = Tok::Colon; return t;
        default: break;
        }
        if (c == '-' && m_pos + 1 < m_s.size() && (m_s[m_pos + 1] == '-' || m_s[m_pos + 1] == '>')) {
            t.kind = Tok::EdgeOp;
            t.text = m_s.substr(m_pos, 2);
            m_pos += 2;
            return t;
        }
        t.kind = Tok::Id;
        if (c == '"') {
            t.text = Quoted();
            // "a" + "b" is one string.
            for (;;) {
                const std::size_t save = m_pos, line = m_line;
                SkipBlanks();
                if (m_pos < m_s.size() && m_s[m_pos] == '+') {
                    ++m_pos;
                    SkipBlanks();
                    if (m_pos < m_s.size() && m_s[m_pos] == '"') {
                        t.text += Quoted();
                        continue;
                    }
                    throw ParseError{"'+' must join two quoted strings"};
                }
                m_pos = save, m_line = line;
                break;
            }
            return t;
        }
        if (c == '<') {
            t.text = Html();
            return t;
        }
        if (IsIdStart(c)) {
            const std::size_t start = m_pos;
            while (m_pos < m_s.size() && (IsIdStart(m_s[m_pos]) || std::isdigit(static_cast<unsigned char>(m_s[m_pos]))))
                ++m_pos;
            t.text = m_s.substr(start, m_pos - start);
            t.keywordable = true;
            return t;
        }
        if (c == '-' || c == '.' || std::isdigit(static_cast<unsigned char>(c))) {
            const std::size_t start = m_pos;
            if (c == '-') ++m_pos;
            bool digits = false, dot = false;
            while (m_pos < m_s.size()) {
                const char d = m_s[m_pos];
                if (std::isdigit(static_cast<unsigned char>(d))) digits = true;
                else if (d == '.' && !dot) dot = true;
                else break;
                ++m_pos;
            }
            if (!digits) throw ParseError{"a number has no digits"};
            t.text = m_s.substr(start, m_pos - start);
            return t;
        }
        throw ParseError{std::string("unexpected character '") + (std::isprint(static_cast<unsigned char>(c)) ? c : '?') + "'"};
    }

private:
    static bool IsIdStart(char c) {
        return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || static_cast<unsigned char>(c) >= 0x80;
    }

    void SkipBlanks() {
        while (m_pos < m_s.size()) {
            const char c = m_s[m_pos];
            if (c == '\n') {
                ++m_line;
                ++m_pos;
                m_lineStart = true;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                ++m_pos;
            } else if (c == '#' && m_lineStart) {
                while (m_pos < m_s.size() && m_s[m_pos] != '\n') ++m_pos;
            } else if (m_s.substr(m_pos, 2) == "//") {
                while (m_pos < m_s.size() && m_s[m_pos] != '\n') ++m_pos;
            } else if (m_s.substr(m_pos, 2) == "/*") {
                const std::size_t end = m_s.find("*/", m_pos + 2);
                if (end == std::string_view::npos) throw ParseError{"a comment is not closed"};
                for (std::size_t i = m_pos; i < end; ++i) m_line += m_s[i] == '\n';
                m_pos = end + 2;
            } else {
                m_lineStart = false;
                return;
            }
        }
    }

    std::string Quoted() {
        std::string out;
        ++m_pos;
        while (m_pos < m_s.size()) {
            const char c = m_s[m_pos++];
            if (c == '"') return out;
            if (c == '\n') ++m_line;
            if (c == '\\' && m_pos < m_s.size()) {
                const char n = m_s[m_pos++];
                if (n == '"') out += '"';
                else if (n == '\n') ++m_line; // a line continuation
                else out += c, out += n;
                continue;
            }
            out += c;
        }
        throw ParseError{"a quoted string is not closed"};
    }

    std::string Html() {
        const std::size_t start = m_pos;
        std::size_t depth = 0;
        while (m_pos < m_s.size()) {
            const char c = m_s[m_pos++];
            if (c == '\n') ++m_line;
            if (c == '<') ++depth;
            else if (c == '>' && --depth == 0) return std::string(m_s.substr(start + 1, m_pos - start - 2));
        }
        throw ParseError{"an HTML string is not closed"};
    }

    std::string_view m_s;
    std::size_t m_pos = 0;
    std::size_t m_line = 1;
    bool m_lineStart = true;
};

using Attributes = std::map<std::string, std::string>;

bool IsKeyword(const Token& t, const char* word) {
    if (t.kind != Tok::Id || !t.keywordable) return false;
    std::string lower;
    for (char c : t.text) lower += char(std::tolower(static_cast<unsigned char>(c)));
    return lower == word;
}

std::string Latin1(const std::string& utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += char(c);
        } else if ((c & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
            const unsigned code = ((c & 0x1F) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F);
            out += code < 0x100 ? char(code) : '?';
        } else {
            out += '?';
            while (i + 1 < utf8.size() && (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) ++i;
        }
    }
    return out;
}

// "x,y" or "x,y!" (a pinned position), in points.
bool ParsePos(const std::string& text, double& x, double& y) {
    const char* s = text.c_str();
    char* end = nullptr;
    x = std::strtod(s, &end);
    if (end == s || *end != ',') return false;
    const char* t = end + 1;
    y = std::strtod(t, &end);
    if (end == t) return false;
    while (*end == ' ') ++end;
    if (*end == '!') ++end;
    while (*end == ' ') ++end;
    return *end == '\0' && std::isfinite(x) && std::isfinite(y);
}

class DotParser {
public:
    DotParser(std::string_view text, ImportedGraph& graph) : m_lex(text), m_graph(graph) {}

    void Parse() {
        Advance();
        if (IsKeyword(m_tok, "strict")) {
            m_strict = true;
            Advance();
        }
        if (IsKeyword(m_tok, "digraph")) m_graph.directed = true;
        else if (!IsKeyword(m_tok, "graph")) throw ParseError{"the file must start with 'graph' or 'digraph'"};
        Advance();
        if (m_tok.kind == Tok::Id) Advance();
        Expect(Tok::LBrace, "'{'");
        Scope top;
        StatementList(top, 0);
        Expect(Tok::RBrace, "'}'");
        if (m_tok.kind != Tok::End) throw ParseError{"text after the closing '}'"};
        for (std::size_t i = 0; i < m_graph.nodes.size(); ++i) Finish(i);
    }

    std::size_t Line() const { return m_lex.Line(); }

private:
    // Defaults in force: a subgraph starts with a copy of its parent's.
    struct Scope {
        Attributes node, edge;
    };

    void Advance() { m_tok = m_lex.Next(); }

    void Expect(Tok kind, const char* what) {
        if (m_tok.kind != kind) throw ParseError{std::string("expected ") + what};
        Advance();
    }

    void StatementList(Scope& scope, int depth) {
        while (m_tok.kind != Tok::RBrace && m_tok.kind != Tok::End) {
            Statement(scope, depth);
            if (m_tok.kind == Tok::Semicolon) Advance();
        }
    }

    void Statement(Scope& scope, int depth) {
        if (IsKeyword(m_tok, "node") || IsKeyword(m_tok, "edge") || IsKeyword(m_tok, "graph")) {
            Attributes& target = IsKeyword(m_tok, "node") ? scope.node : IsKeyword(m_tok, "edge") ? scope.edge : m_graphAttrs;
            Advance();
            Attributes attrs;
            AttributeLists(attrs);
            for (auto& [k, v] : attrs) target[k] = v;
            return;
        }
        m_assignment = false;
        std::vector<std::size_t> operand = Operand(scope, depth);
        if (m_assignment) {
            // ID '=' ID at statement level sets a graph attribute; it names no node.
            Advance();
            if (m_tok.kind != Tok::Id) throw ParseError{"expected a value after '='"};
            Advance();
            return;
        }
        std::vector<std::vector<std::size_t>> chain{std::move(operand)};
        while (m_tok.kind == Tok::EdgeOp) {
            if ((m_tok.text == "->") != m_graph.directed)
                throw ParseError{m_graph.directed ? "'--' in a digraph" : "'->' in an undirected graph"};
            Advance();
            chain.push_back(Operand(scope, depth));
        }
        Attributes attrs;
        if (chain.size() == 1) {
            if (m_tok.kind == Tok::LBracket) AttributeLists(attrs);
            if (m_lastWasPlainId)
                for (auto& [k, v] : attrs) m_nodeAttrs[chain[0].front()][k] = v;
            return;
        }
        Attributes edgeAttrs = scope.edge;
        AttributeLists(attrs);
        for (auto& [k, v] : attrs) edgeAttrs[k] = v;
        for (std::size_t i = 0; i + 1 < chain.size(); ++i)
            for (std::size_t a : chain[i])
                for (std::size_t b : chain[i + 1]) AddEdge(a, b, edgeAttrs);
    }

    // A node id (with an optional port) or a subgraph; returns the nodes it stands for.
    std::vector<std::size_t> Operand(Scope& scope, int depth) {
        m_lastWasPlainId = false;
        if (IsKeyword(m_tok, "subgraph") || m_tok.kind == Tok::LBrace) {
            if (depth + 1 > kMaxNesting) throw ParseError{"subgraphs are nested too deeply"};
            if (IsKeyword(m_tok, "subgraph")) {
                Advance();
                if (m_tok.kind == Tok::Id) Advance();
            }
            Expect(Tok::LBrace, "'{'");
            Scope inner = scope;
            const std::size_t before = m_mentioned.size();
            StatementList(inner, depth + 1);
            Expect(Tok::RBrace, "'}'");
            std::vector<std::size_t> nodes(m_mentioned.begin() + std::ptrdiff_t(before), m_mentioned.end());
            std::set<std::size_t> seen;
            std::vector<std::size_t> unique;
            for (std::size_t n : nodes)
                if (seen.insert(n).second) unique.push_back(n);
            return unique;
        }
        if (m_tok.kind != Tok::Id || IsKeyword(m_tok, "node") || IsKeyword(m_tok, "edge") || IsKeyword(m_tok, "graph") ||
            IsKeyword(m_tok, "digraph") || IsKeyword(m_tok, "strict"))
            throw ParseError{"expected a node name"};
        const std::string name = m_tok.text;
        Advance();
        if (m_tok.kind == Tok::Equals) {
            m_assignment = true;
            return {};
        }
        for (int part = 0; part < 2 && m_tok.kind == Tok::Colon; ++part) {
            Advance();
            if (m_tok.kind != Tok::Id) throw ParseError{"expected a port after ':'"};
            Advance();
        }
        m_lastWasPlainId = true;
        const std::size_t n = NodeFor(name, scope);
        m_mentioned.push_back(n);
        return {n};
    }

    void AttributeLists(Attributes& attrs) {
        while (m_tok.kind == Tok::LBracket) {
            Advance();
            while (m_tok.kind != Tok::RBracket) {
                if (m_tok.kind != Tok::Id) throw ParseError{"expected an attribute name"};
                const std::string key = m_tok.text;
                Advance();
                Expect(Tok::Equals, "'=' after an attribute name");
                if (m_tok.kind != Tok::Id) throw ParseError{"expected an attribute value"};
                attrs[key] = m_tok.text;
                Advance();
                if (m_tok.kind == Tok::Semicolon || m_tok.kind == Tok::Comma) Advance();
            }
            Advance();
        }
    }

    std::size_t NodeFor(const std::string& name, const Scope& scope) {
        auto it = m_index.find(name);
        if (it != m_index.end()) return it->second;
        if (m_graph.nodes.size() + m_graph.edges.size() >= kImportElementLimit)
            throw ParseError{"the graph has too many elements"};
        const std::size_t n = m_graph.nodes.size();
        m_index.emplace(name, n);
        m_names.push_back(name);
        m_graph.nodes.emplace_back();
        m_nodeAttrs.push_back(scope.node);
        return n;
    }

    void AddEdge(std::size_t a, std::size_t b, const Attributes& attrs) {
        if (m_graph.nodes.size() + m_graph.edges.size() >= kImportElementLimit)
            throw ParseError{"the graph has too many elements"};
        // A strict graph has at most one edge between two nodes, and no loops.
        if (m_strict) {
            const auto key = m_graph.directed || a < b ? std::pair(a, b) : std::pair(b, a);
            if (a == b || !m_strictPairs.insert(key).second) return;
        }
        ImportedEdge e;
        e.from = a;
        e.to = b;
        if (auto it = attrs.find("color"); it != attrs.end())
            // A colour list ("red:blue") takes its first colour.
            if (auto rgb = ParseColorText(it->second.substr(0, it->second.find(':')))) e.colorCode = NearestEdgeColor(*rgb);
        if (auto it = attrs.find("weight"); it != attrs.end()) {
            char* end = nullptr;
            const long long w = std::strtoll(it->second.c_str(), &end, 10);
            if (end && *end == '\0' && w >= INT32_MIN && w <= INT32_MAX) e.weight = std::int32_t(w);
        }
        m_graph.edges.push_back(e);
    }

    void Finish(std::size_t i) {
        ImportedNode& node = m_graph.nodes[i];
        const Attributes& attrs = m_nodeAttrs[i];
        node.label = Latin1(m_names[i]);
        if (auto it = attrs.find("label"); it != attrs.end() && it->second != "\\N") node.label = Latin1(it->second);
        if (auto it = attrs.find("pos"); it != attrs.end()) {
            double x = 0, y = 0;
            if (ParsePos(it->second, x, y)) {
                node.x = x * kUnitsPerPoint;
                node.y = y * kUnitsPerPoint;
            }
        }
        for (const char* key : {"fillcolor", "color"})
            if (auto it = attrs.find(key); it != attrs.end() && !node.fill)
                node.fill = ParseColorText(it->second.substr(0, it->second.find(':')));
    }

    Lexer m_lex;
    Token m_tok;
    ImportedGraph& m_graph;
    std::unordered_map<std::string, std::size_t> m_index;
    std::vector<std::string> m_names;
    std::vector<Attributes> m_nodeAttrs;
    std::vector<std::size_t> m_mentioned;
    Attributes m_graphAttrs;
    bool m_lastWasPlainId = false;
    bool m_assignment = false;
    bool m_strict = false;
    std::set<std::pair<std::size_t, std::size_t>> m_strictPairs;
};

} // namespace

bool ReadDot(std::span<const std::uint8_t> bytes, ImportedGraph& graph, std::string& error) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    ImportedGraph read;
    read.yUp = true;
    DotParser parser(text, read);
    try {
        parser.Parse();
    } catch (const ParseError& e) {
        error = "This DOT file cannot be read: line " + std::to_string(parser.Line()) + ": " + e.why + ".";
        return false;
    }
    graph = std::move(read);
    return true;
}
