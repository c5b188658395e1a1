#include "dot_scan.h"

#include "graph_document.h"
#include "interchange_messages.h"

#include "model/net_types.h"

#include <bit>
#include <cctype>
#include <cstdint>
#include <map>
#include <set>
#include <unordered_map>
#include <vector>

namespace plax {

namespace {

constexpr std::size_t MaxEdges = MaxPoints * (MaxPoints - 1);

enum class Tok { Id, Keyword, LBrace, RBrace, LBracket, RBracket, Equal, Colon, EdgeOp, Other, End };

struct Token {
    Tok kind = Tok::End;
    std::string value; // an id's text; a keyword in lower case
};

// DOT's tokens, one ahead. Once a limit is passed every further token is the end.
class Lexer {
public:
    explicit Lexer(std::string_view text) : text_(text) {}

    const Token& Peek() {
        if (!ahead_) {
            next_ = Read();
            ahead_ = true;
        }
        return next_;
    }
    Token Next() {
        Peek();
        ahead_ = false;
        return std::move(next_);
    }
    void Refuse(std::string reason) {
        if (refusal_.empty()) refusal_ = std::move(reason);
    }
    const std::string& Refusal() const { return refusal_; }
    const std::vector<std::size_t>& LoneCRs() const { return loneCRs_; }

private:
    bool At(std::size_t i, char c) const { return i < text_.size() && text_[i] == c; }
    static bool IdStart(char c) {
        const auto u = static_cast<unsigned char>(c);
        return std::isalpha(u) || c == '_' || u >= 0x80;
    }
    static bool Digit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

    void SkipLine() {
        while (pos_ < text_.size() && text_[pos_] != '\n' && text_[pos_] != '\r')
            ++pos_;
    }
    // Blanks and comments; a '#' line is a preprocessor's, which cgraph passes over too.
    void SkipBlanks() {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '\r' && !At(pos_ + 1, '\n')) loneCRs_.push_back(pos_);
            if (c == '\n' || c == '\r') {
                lineStart_ = true;
                ++pos_;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                lineStart_ = false;
                ++pos_;
            } else if (c == '#' && lineStart_) {
                SkipLine();
            } else if (c == '/' && At(pos_ + 1, '/')) {
                SkipLine();
            } else if (c == '/' && At(pos_ + 1, '*')) {
                const std::size_t end = text_.find("*/", pos_ + 2);
                for (std::size_t i = pos_; i < std::min(end, text_.size()); ++i)
                    if (text_[i] == '\r' && !At(i + 1, '\n')) loneCRs_.push_back(i);
                pos_ = end == std::string_view::npos ? text_.size() : end + 2;
            } else {
                return;
            }
        }
    }
    bool Fits(const std::string& value) {
        if (value.size() <= MaxValueLength) return true;
        Refuse(SyntaxReason("DOT", 0,
                            "a word or string longer than " + std::to_string(MaxValueLength) + " bytes"));
        return false;
    }
    // A quoted string as cgraph keeps it: \" is a quote, \ and a line end are nothing, any other
    // backslash stays.
    void Quoted(std::string& value) {
        ++pos_;
        while (pos_ < text_.size() && text_[pos_] != '"') {
            if (text_[pos_] == '\\' && pos_ + 1 < text_.size()) {
                const char next = text_[pos_ + 1];
                if (next == '"') {
                    value += '"';
                } else if (next != '\n') {
                    value += '\\';
                    value += next;
                }
                pos_ += 2;
            } else {
                value += text_[pos_++];
            }
            if (value.size() > MaxValueLength) return;
        }
        ++pos_;
    }
    void Html(std::string& value) {
        int depth = 0;
        for (; pos_ < text_.size(); ++pos_) {
            const char c = text_[pos_];
            if (c == '<' && depth++ == 0) continue;
            if (c == '>' && --depth == 0) break;
            value += c;
            if (value.size() > MaxValueLength) return;
        }
        ++pos_;
    }
    Token Read() {
        if (!refusal_.empty()) return {};
        SkipBlanks();
        if (pos_ >= text_.size()) return {};
        lineStart_ = false;
        const char c = text_[pos_];
        Token t{Tok::Id, {}};
        if (c == '"') {
            // "a" + "b" is one string; the sum is what cgraph takes time over.
            Quoted(t.value);
            for (;;) {
                const std::size_t mark = pos_;
                SkipBlanks();
                if (!At(pos_, '+')) {
                    pos_ = mark;
                    break;
                }
                ++pos_;
                SkipBlanks();
                if (!At(pos_, '"') || !Fits(t.value)) break;
                Quoted(t.value);
            }
        } else if (c == '<') {
            Html(t.value);
        } else if (IdStart(c)) {
            while (pos_ < text_.size() && (IdStart(text_[pos_]) || Digit(text_[pos_])))
                t.value += text_[pos_++];
            std::string lower;
            for (const char k : t.value)
                lower += static_cast<char>(std::tolower(static_cast<unsigned char>(k)));
            static const std::set<std::string> keywords = {"strict", "graph", "digraph",
                                                           "node",   "edge",  "subgraph"};
            if (keywords.count(lower) != 0) t = {Tok::Keyword, lower};
        } else if (c == '-' && (At(pos_ + 1, '>') || At(pos_ + 1, '-'))) {
            pos_ += 2;
            t.kind = Tok::EdgeOp;
        } else if (Digit(c) || c == '.' || c == '-') {
            if (c == '-') t.value += text_[pos_++];
            while (pos_ < text_.size() && Digit(text_[pos_]))
                t.value += text_[pos_++];
            if (At(pos_, '.')) t.value += text_[pos_++];
            while (pos_ < text_.size() && Digit(text_[pos_]))
                t.value += text_[pos_++];
        } else {
            ++pos_;
            switch (c) {
            case '{': t.kind = Tok::LBrace; break;
            case '}': t.kind = Tok::RBrace; break;
            case '[': t.kind = Tok::LBracket; break;
            case ']': t.kind = Tok::RBracket; break;
            case '=': t.kind = Tok::Equal; break;
            case ':': t.kind = Tok::Colon; break;
            default: t.kind = Tok::Other; break;
            }
        }
        if (t.kind == Tok::Id && !Fits(t.value)) return {};
        return t;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    bool lineStart_ = true;
    bool ahead_ = false;
    Token next_;
    std::string refusal_;
    std::vector<std::size_t> loneCRs_;
};

// Nodes are numbered as they are first named; while there are no more than a net holds, the nodes
// of a statement or subgraph are a bit set and the edges of a product are counted.
using Nodes = std::uint32_t;

// Follows the statements as cgraph's grammar has them, without ever stopping at what cgraph
// would refuse: whatever it might still read is counted.
class Counter {
public:
    explicit Counter(Lexer& lexer) : lex_(lexer) {}

    void Graph() {
        if (Keyword("strict")) lex_.Next();
        if (Keyword("graph") || Keyword("digraph")) lex_.Next();
        if (lex_.Peek().kind == Tok::Id) lex_.Next();
        // What does not start as a graph is not handed over, so nothing escapes the counts.
        if (lex_.Peek().kind != Tok::LBrace) {
            lex_.Refuse(SyntaxReason("DOT", 0, "no graph { ... } at the start"));
            return;
        }
        lex_.Next();
        Body(0);
        if (lex_.Peek().kind != Tok::End) lex_.Refuse(SyntaxReason("DOT", 0, "text after the graph"));
    }
    std::size_t NodeCount() const { return names_.size(); }
    std::uint64_t EdgeCount() const { return edges_; }

private:
    bool Keyword(const char* word) {
        const Token& t = lex_.Peek();
        return t.kind == Tok::Keyword && t.value == word;
    }
    bool Counting() const { return names_.size() <= static_cast<std::size_t>(MaxPoints); }

    Nodes Node(const std::string& name) {
        const auto [it, added] = names_.emplace(name, names_.size());
        return it->second < static_cast<std::size_t>(MaxPoints) ? Nodes{1} << it->second : 0;
    }
    void AttributeName(const std::string& name) {
        if (attributes_.insert(name).second && attributes_.size() > MaxDotAttributeNames)
            lex_.Refuse(SyntaxReason(
                "DOT", 0, "more than " + std::to_string(MaxDotAttributeNames) + " attribute names"));
    }
    // [a=b, c=d] [e=f]: only the names matter.
    void AttributeLists() {
        while (lex_.Peek().kind == Tok::LBracket) {
            lex_.Next();
            for (;;) {
                Token t = lex_.Next();
                if (t.kind == Tok::End || t.kind == Tok::RBracket) break;
                if ((t.kind == Tok::Id || t.kind == Tok::Keyword) && lex_.Peek().kind == Tok::Equal) {
                    AttributeName(t.value);
                    lex_.Next();
                    lex_.Next();
                }
            }
        }
    }
    // The statements up to the closing brace; answers the nodes they name.
    Nodes Body(int depth) {
        if (depth >= MaxDotBraceDepth) {
            lex_.Refuse(SyntaxReason(
                "DOT", 0, "braces nested more than " + std::to_string(MaxDotBraceDepth) + " deep"));
            return 0;
        }
        if (++subgraphs_ > MaxDotSubgraphs) {
            lex_.Refuse(
                SyntaxReason("DOT", 0, "more than " + std::to_string(MaxDotSubgraphs) + " subgraphs"));
            return 0;
        }
        Nodes inside = 0;
        for (;;) {
            const Token& t = lex_.Peek();
            if (t.kind == Tok::End) return inside;
            if (t.kind == Tok::RBrace) {
                lex_.Next();
                return inside;
            }
            if (t.kind == Tok::Keyword && (t.value == "graph" || t.value == "node" || t.value == "edge")) {
                lex_.Next();
                AttributeLists();
            } else if (t.kind == Tok::Id || t.kind == Tok::LBrace ||
                       (t.kind == Tok::Keyword && t.value == "subgraph")) {
                inside |= Statement(depth);
            } else {
                lex_.Next();
            }
        }
    }
    // A node or edge statement, or an attribute a=b of the graph.
    Nodes Statement(int depth) {
        if (lex_.Peek().kind == Tok::Id) {
            Token first = lex_.Next();
            if (lex_.Peek().kind == Tok::Equal) {
                AttributeName(first.value);
                lex_.Next();
                lex_.Next();
                return 0;
            }
            return Chain(NodeOperand(first.value), depth);
        }
        return Chain(SubgraphOperand(depth), depth);
    }
    Nodes Chain(Nodes first, int depth) {
        Nodes all = first;
        Nodes previous = first;
        while (lex_.Peek().kind == Tok::EdgeOp) {
            lex_.Next();
            Nodes next = 0;
            if (lex_.Peek().kind == Tok::Id) {
                next = NodeOperand(lex_.Next().value);
            } else if (lex_.Peek().kind == Tok::LBrace || Keyword("subgraph")) {
                next = SubgraphOperand(depth);
            } else {
                break;
            }
            if (Counting())
                edges_ += static_cast<std::uint64_t>(std::popcount(previous)) *
                          static_cast<std::uint64_t>(std::popcount(next));
            all |= next;
            previous = next;
        }
        AttributeLists();
        return all;
    }
    Nodes NodeOperand(const std::string& name) {
        const Nodes node = Node(name);
        // a:port:compass
        for (int k = 0; k < 2 && lex_.Peek().kind == Tok::Colon; ++k) {
            lex_.Next();
            if (lex_.Peek().kind == Tok::Id) lex_.Next();
        }
        return node;
    }
    // subgraph NAME { ... }, subgraph { ... }, { ... } or a reference, subgraph NAME, to one met before.
    Nodes SubgraphOperand(int depth) {
        std::optional<std::string> name;
        if (Keyword("subgraph")) {
            lex_.Next();
            if (lex_.Peek().kind == Tok::Id) name = lex_.Next().value;
        }
        Nodes nodes = 0;
        if (lex_.Peek().kind == Tok::LBrace) {
            lex_.Next();
            nodes = Body(depth + 1);
        }
        if (!name) return nodes;
        Nodes& named = named_[*name];
        named |= nodes;
        return named;
    }

    Lexer& lex_;
    std::unordered_map<std::string, std::size_t> names_;
    std::map<std::string, Nodes> named_;
    std::set<std::string> attributes_;
    std::size_t subgraphs_ = 0;
    std::uint64_t edges_ = 0;
};

} // namespace

DotScan ScanDot(std::string_view text) {
    Lexer lexer(text);
    Counter counter(lexer);
    counter.Graph();
    DotScan scan;
    scan.refusal = lexer.Refusal();
    scan.nodes = counter.NodeCount();
    scan.edges = static_cast<std::size_t>(counter.EdgeCount());
    if (scan.refusal.empty() && scan.nodes > static_cast<std::size_t>(MaxPoints))
        scan.refusal = TooManyPointsReason(scan.nodes);
    if (scan.refusal.empty() && scan.edges > MaxEdges) scan.refusal = TooManyEdgesReason(scan.edges);
    if (!scan.refusal.empty()) return scan;
    scan.text = text;
    for (const std::size_t at : lexer.LoneCRs())
        scan.text[at] = '\n';
    return scan;
}

} // namespace plax
