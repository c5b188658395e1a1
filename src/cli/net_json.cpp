#include "net_json.h"

#include "model/net_store.h"

#include <cstdio>

namespace plax::cli {

namespace {

using Json = nlohmann::ordered_json;

Json OptionsJson(const PointOptionType& o) {
    return Json{{"radius", o.radius},
                {"fontSize", o.fontSize},
                {"showBorder", o.showBorder},
                {"doubleBorder", o.doubleBorder},
                {"coloredBorder", o.coloredBorder},
                {"showNumber", o.showNumber},
                {"fillPoint", o.fillPoint},
                {"borderColor", ColorText(o.borderColor)}};
}

Json PointJson(const NetWorkType& net, int i) {
    const PointType& p = net.points[static_cast<std::size_t>(i)];
    Json j{{"number", i},
           {"name", Latin1ToUtf8(p.name)},
           {"x", p.x},
           {"y", p.y},
           {"shape", p.shape},
           {"weight", p.weight},
           {"tokens", p.tokens},
           {"color", ColorText(p.color)},
           {"reserved", p.reserved},
           {"labelPosition", p.labelPosition},
           {"customOptions", p.customOptions}};
    if (p.customOptions != 0) j["options"] = OptionsJson(p.options);
    return j;
}

Json EdgeJson(const NetWorkType& net, int from, int position, const EdgeType& e) {
    Json j{{"from", from},
           {"to", e.target},
           {"listPosition", position},
           {"name", Latin1ToUtf8(e.name)},
           {"weight", e.weight},
           {"flow", e.flow},
           {"color", ColorText(e.color)},
           {"reserved", e.reserved},
           {"shape", e.shape},
           {"lineStyle", e.lineStyle},
           {"lineWidth", e.lineWidth}};
    if (!e.subNet) return j;
    // The two entries of an undirected edge share one sub-net; it is shown on the lower end.
    if (IsUndirected(net) && from > e.target) {
        j["subNetOf"] = Json::array({e.target, from});
    } else {
        j["subNet"] = NetToJson(*e.subNet);
    }
    return j;
}

} // namespace

std::string ColorText(Color c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%06X", static_cast<unsigned>(c));
    return buf;
}

nlohmann::ordered_json NetToJson(const NetWorkType& net) {
    Json j{{"name", Latin1ToUtf8(net.name)},
           {"kind", net.kindName},
           {"kindCode", net.kindCode},
           {"pointCount", net.n},
           {"edgeCount", EdgeCount(net)},
           {"defaultOptions", OptionsJson(net.defaultOptions)},
           {"view",
            {{"edgeLabels", net.view.edgeLabels},
             {"edgeMarks", net.view.edgeMarks},
             {"flows", net.view.flows},
             {"pointNames", net.view.pointNames},
             {"edgeNames", net.view.edgeNames},
             {"tokens", net.view.tokens}}}};
    Json points = Json::array();
    for (int i = 1; i <= net.n; ++i)
        points.push_back(PointJson(net, i));
    j["points"] = std::move(points);
    Json edges = Json::array();
    for (int i = 1; i <= net.n; ++i) {
        int position = 1;
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(i)]) {
            edges.push_back(EdgeJson(net, i, position++, e));
        }
    }
    j["edges"] = std::move(edges);
    return j;
}

} // namespace plax::cli
