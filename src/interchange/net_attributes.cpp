#include "net_attributes.h"

#include "colour_names.h"
#include "interchange_messages.h"

#include "model/text_utils.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <type_traits>

namespace plax {

namespace {

template <class R> struct Field {
    const char* name;
    AttributeType type;
    double lo;
    double hi;
    std::string (*get)(const R&);
    void (*set)(R&, double number, const std::string& text);
};

std::string IntText(long long v) { return std::to_string(v); }

template <class T> T As(double v) { return static_cast<T>(v); }

constexpr double U8Max = 255.0;
constexpr double U16Max = 65535.0;
constexpr double U32Max = 4294967295.0;

const std::vector<Field<PointOptionType>>& OptionFields() {
    using O = PointOptionType;
    static const std::vector<Field<O>> fields = {
        {"plax_radius", AttributeType::Int, 0, U16Max, [](const O& o) { return IntText(o.radius); },
         [](O& o, double v, const std::string&) { o.radius = As<std::uint16_t>(v); }},
        {"plax_font_size", AttributeType::Int, 0, U16Max, [](const O& o) { return IntText(o.fontSize); },
         [](O& o, double v, const std::string&) { o.fontSize = As<std::uint16_t>(v); }},
        {"plax_show_border", AttributeType::Int, 0, U8Max, [](const O& o) { return IntText(o.showBorder); },
         [](O& o, double v, const std::string&) { o.showBorder = As<std::uint8_t>(v); }},
        {"plax_double_border", AttributeType::Int, 0, U8Max,
         [](const O& o) { return IntText(o.doubleBorder); },
         [](O& o, double v, const std::string&) { o.doubleBorder = As<std::uint8_t>(v); }},
        {"plax_colored_border", AttributeType::Int, 0, U8Max,
         [](const O& o) { return IntText(o.coloredBorder); },
         [](O& o, double v, const std::string&) { o.coloredBorder = As<std::uint8_t>(v); }},
        {"plax_show_number", AttributeType::Int, 0, U8Max, [](const O& o) { return IntText(o.showNumber); },
         [](O& o, double v, const std::string&) { o.showNumber = As<std::uint8_t>(v); }},
        {"plax_fill_point", AttributeType::Int, 0, U8Max, [](const O& o) { return IntText(o.fillPoint); },
         [](O& o, double v, const std::string&) { o.fillPoint = As<std::uint8_t>(v); }},
        {"plax_border_color", AttributeType::Colour, 0, U32Max,
         [](const O& o) { return ColourText(o.borderColor); },
         [](O& o, double v, const std::string&) { o.borderColor = As<Color>(v); }},
    };
    return fields;
}

const std::vector<Field<PointType>>& PointFields() {
    using P = PointType;
    static const std::vector<Field<P>> fields = {
        {"x", AttributeType::Int, -32768, 32767, [](const P& p) { return IntText(p.x); },
         [](P& p, double v, const std::string&) { p.x = As<std::int32_t>(v); }},
        {"y", AttributeType::Int, -32768, 32767, [](const P& p) { return IntText(p.y); },
         [](P& p, double v, const std::string&) { p.y = As<std::int32_t>(v); }},
        {"name", AttributeType::Text, 0, 0, [](const P& p) { return p.name; },
         [](P& p, double, const std::string& t) { p.name = CutText(t, MaxNameLength); }},
        {"weight", AttributeType::Real, -MaxWeight, MaxWeight,
         [](const P& p) { return NumberText(p.weight); },
         [](P& p, double v, const std::string&) { p.weight = v; }},
        {"tokens", AttributeType::Int, 0, MaxTokens, [](const P& p) { return IntText(p.tokens); },
         [](P& p, double v, const std::string&) { p.tokens = As<std::uint16_t>(v); }},
        {"shape", AttributeType::Int, 0, 7, [](const P& p) { return IntText(p.shape); },
         [](P& p, double v, const std::string&) { p.shape = As<std::uint16_t>(v); }},
        {"color", AttributeType::Colour, 0, U32Max, [](const P& p) { return ColourText(p.color); },
         [](P& p, double v, const std::string&) { p.color = As<Color>(v); }},
        {"plax_reserved", AttributeType::Int, 0, U16Max, [](const P& p) { return IntText(p.reserved); },
         [](P& p, double v, const std::string&) { p.reserved = As<std::uint16_t>(v); }},
        {"plax_label_position", AttributeType::Int, 0, 7, [](const P& p) { return IntText(p.labelPosition); },
         [](P& p, double v, const std::string&) { p.labelPosition = As<std::uint32_t>(v); }},
        {"plax_custom_options", AttributeType::Int, 0, U8Max,
         [](const P& p) { return IntText(p.customOptions); },
         [](P& p, double v, const std::string&) { p.customOptions = As<std::uint8_t>(v); }},
    };
    return fields;
}

const std::vector<Field<EdgeType>>& EdgeFields() {
    using E = EdgeType;
    static const std::vector<Field<E>> fields = {
        {"name", AttributeType::Text, 0, 0, [](const E& e) { return e.name; },
         [](E& e, double, const std::string& t) { e.name = CutText(t, MaxNameLength); }},
        {"weight", AttributeType::Real, 0, MaxWeight, [](const E& e) { return NumberText(e.weight); },
         [](E& e, double v, const std::string&) { e.weight = v; }},
        {"flow", AttributeType::Real, -MaxWeight, MaxWeight, [](const E& e) { return NumberText(e.flow); },
         [](E& e, double v, const std::string&) { e.flow = v; }},
        {"color", AttributeType::Colour, 0, U32Max, [](const E& e) { return ColourText(e.color); },
         [](E& e, double v, const std::string&) { e.color = As<Color>(v); }},
        {"shape", AttributeType::Int, 0, 4, [](const E& e) { return IntText(e.shape); },
         [](E& e, double v, const std::string&) { e.shape = As<std::uint32_t>(v); }},
        {"plax_reserved", AttributeType::Int, 0, U32Max, [](const E& e) { return IntText(e.reserved); },
         [](E& e, double v, const std::string&) { e.reserved = As<std::uint32_t>(v); }},
        {"plax_line_width", AttributeType::Int, 0, 4, [](const E& e) { return IntText(e.lineWidth); },
         [](E& e, double v, const std::string&) { e.lineWidth = As<std::uint8_t>(v); }},
        {"plax_line_style", AttributeType::Int, 0, 4, [](const E& e) { return IntText(e.lineStyle); },
         [](E& e, double v, const std::string&) { e.lineStyle = As<std::uint32_t>(v); }},
    };
    return fields;
}

std::optional<double> ColourValue(std::string_view text) {
    if (const auto named = ColourOfName(text)) {
        const std::uint32_t rgb = *named;
        return static_cast<double>(((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | ((rgb >> 16) & 0xFFu));
    }
    if ((text.size() != 7 && text.size() != 9) || text[0] != '#') return std::nullopt;
    std::uint32_t rgb = 0;
    for (const char c : text.substr(1)) {
        const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                          : (c >= 'a' && c <= 'f')                    ? c - 'a' + 10
                          : (c >= 'A' && c <= 'F')                    ? c - 'A' + 10
                                                                      : -1;
        if (digit < 0) return std::nullopt;
        rgb = (rgb << 4) | static_cast<std::uint32_t>(digit);
    }
    // #TTRRGGBB (or #RRGGBB) to 0xTTBBGGRR.
    const std::uint32_t top = rgb & 0xFF000000u;
    const std::uint32_t value = top | ((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | ((rgb >> 16) & 0xFFu);
    return static_cast<double>(value);
}

std::string Expected(AttributeType type, double lo, double hi) {
    switch (type) {
    case AttributeType::Int: return "a whole number from " + NumberText(lo) + " to " + NumberText(hi);
    case AttributeType::Real: return "a number from " + NumberText(lo) + " to " + NumberText(hi);
    case AttributeType::Colour: return "a colour #RRGGBB";
    case AttributeType::Text: break;
    }
    return "a text";
}

template <class R>
std::optional<SetResult> SetFrom(const std::vector<Field<R>>& fields, R& record, const Attribute& a,
                                 const std::string& element) {
    for (const Field<R>& f : fields) {
        if (a.name != f.name) continue;
        if (a.value.size() > MaxValueLength) return SetResult{true, ValueTooLongReason(element, a.name)};
        std::optional<double> v = 0.0;
        switch (f.type) {
        case AttributeType::Int: v = ParseNumber(a.value); break;
        case AttributeType::Real: v = ParseNumber(a.value); break;
        case AttributeType::Colour: v = ColourValue(a.value); break;
        case AttributeType::Text: break;
        }
        // A colour we cannot name is a matter of looks: passed over, not a reason to refuse.
        if (f.type == AttributeType::Colour && !v) return SetResult{false, {}};
        const bool whole = f.type != AttributeType::Int || (v && std::floor(*v) == *v);
        const bool inRange = f.type == AttributeType::Text || (v && *v >= f.lo && *v <= f.hi);
        if (!v || !whole || !inRange) {
            return SetResult{
                true, BadValueReason(element, a.name, CutText(a.value, 40), Expected(f.type, f.lo, f.hi))};
        }
        f.set(record, *v, a.value);
        return SetResult{};
    }
    return std::nullopt;
}

template <class R>
void AppendFrom(const std::vector<Field<R>>& fields, const R& record, Attributes& out,
                const R* unless = nullptr) {
    for (const Field<R>& f : fields) {
        const std::string name = f.name;
        // Points keep their names and places; an edge its weight, and its name when it has one
        // of its own (not the first settings' "No Name").
        constexpr bool edge = std::is_same_v<R, EdgeType>;
        const bool always =
            name == "x" || name == "y" || (name == "name" && !edge) || (edge && name == "weight");
        std::string value = f.get(record);
        if (unless == nullptr || always || value != f.get(*unless)) out.push_back({f.name, std::move(value)});
    }
}

template <class R>
void AppendSpecs(const std::vector<Field<R>>& fields, AttributeOwner owner, std::vector<AttributeDecl>& out) {
    for (const Field<R>& f : fields)
        out.push_back({owner, f.name, f.type});
}

} // namespace

std::vector<AttributeDecl> AttributeDecls() {
    std::vector<AttributeDecl> specs = {{AttributeOwner::Graph, "name", AttributeType::Text},
                                        {AttributeOwner::Graph, "plax_kind", AttributeType::Text}};
    AppendSpecs(OptionFields(), AttributeOwner::Graph, specs);
    AppendSpecs(PointFields(), AttributeOwner::Node, specs);
    AppendSpecs(OptionFields(), AttributeOwner::Node, specs);
    AppendSpecs(EdgeFields(), AttributeOwner::Edge, specs);
    return specs;
}

const char* OwnerName(AttributeOwner owner) {
    switch (owner) {
    case AttributeOwner::Graph: return "graph";
    case AttributeOwner::Node: return "node";
    case AttributeOwner::Edge: return "edge";
    }
    return "";
}

Attributes GraphAttributesOf(const NetWorkType& net, const PointOptionType* unless) {
    Attributes out = {{"name", net.name}};
    // The kind goes without saying when it is the plain one of the graph's direction.
    if (unless == nullptr || (net.kindName != "undirNet" && net.kindName != "dirNet"))
        out.push_back({"plax_kind", net.kindName});
    AppendFrom(OptionFields(), net.defaultOptions, out, unless);
    return out;
}

Attributes PointAttributesOf(const PointType& point, const PointType* unless) {
    Attributes out;
    AppendFrom(PointFields(), point, out, unless);
    if (point.customOptions != 0) AppendFrom(OptionFields(), point.options, out);
    return out;
}

Attributes EdgeAttributesOf(const EdgeType& edge, const EdgeType* unless) {
    Attributes out;
    AppendFrom(EdgeFields(), edge, out, unless);
    return out;
}

SetResult SetPointAttribute(PointType& point, const Attribute& a, const std::string& element) {
    if (auto result = SetFrom(PointFields(), point, a, element)) return *result;
    if (auto result = SetFrom(OptionFields(), point.options, a, element)) return *result;
    return SetResult{false, {}};
}

SetResult SetEdgeAttribute(EdgeType& edge, const Attribute& a, const std::string& element) {
    if (auto result = SetFrom(EdgeFields(), edge, a, element)) return *result;
    return SetResult{false, {}};
}

SetResult SetGraphOptionAttribute(PointOptionType& options, const Attribute& a) {
    if (auto result = SetFrom(OptionFields(), options, a, GraphElement)) return *result;
    return SetResult{false, {}};
}

std::string ColourText(Color c) {
    const unsigned rgb = ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
    char buf[16];
    if ((c & 0xFF000000u) != 0) {
        std::snprintf(buf, sizeof buf, "#%02X%06X", static_cast<unsigned>(c >> 24), rgb);
    } else {
        std::snprintf(buf, sizeof buf, "#%06X", rgb);
    }
    return buf;
}

} // namespace plax
