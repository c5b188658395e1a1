#include "net_templates.h"

#include "net_layout.h"
#include "net_store.h"
#include "seeded_random.h"
#include "text_utils.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

namespace plax {

const std::array<NetTemplateName, NetTemplateCount> NetTemplateNames = {{
    {NetTemplate::Complete, "complete", "Complete net Kn"},
    {NetTemplate::Cycle, "cycle", "Cycle Cn"},
    {NetTemplate::Path, "path", "Path Pn"},
    {NetTemplate::Star, "star", "Star Sn"},
    {NetTemplate::Wheel, "wheel", "Wheel Wn"},
    {NetTemplate::CompleteBipartite, "bipartite", "Complete bipartite Km,n"},
    {NetTemplate::Grid, "grid", "Grid r x c"},
    {NetTemplate::Hypercube, "hypercube", "Hypercube Qd"},
    {NetTemplate::Petersen, "petersen", "Petersen graph"},
    {NetTemplate::RandomTree, "tree", "Random tree"},
    {NetTemplate::RandomGnp, "gnp", "Random net G(n, p)"},
    {NetTemplate::RandomGnm, "gnm", "Random net G(n, m)"},
    {NetTemplate::ActivityNet, "activity", "Random activity net"},
    {NetTemplate::FlowNet, "flow", "Random flow net"},
    {NetTemplate::ProducerConsumer, "producer-consumer", "Petri producer/consumer"},
}};

std::optional<NetTemplate> NetTemplateFromName(std::string_view cli) {
    for (const NetTemplateName& t : NetTemplateNames)
        if (t.cli == cli) return t.kind;
    return std::nullopt;
}

bool TemplateMayChooseDirection(NetTemplate kind) {
    return kind != NetTemplate::ActivityNet && kind != NetTemplate::FlowNet &&
           kind != NetTemplate::ProducerConsumer;
}

bool TemplateIsRandom(NetTemplate kind) {
    return kind == NetTemplate::RandomTree || kind == NetTemplate::RandomGnp ||
           kind == NetTemplate::RandomGnm || kind == NetTemplate::ActivityNet || kind == NetTemplate::FlowNet;
}

std::string TemplateTooBigMessage(const std::string& what, long long points) {
    return what + " would have " + std::to_string(points) + " points; Plax holds at most " +
           std::to_string(MaxPoints);
}

namespace {

using Edge = std::pair<int, int>;
using Ring = std::pair<std::vector<int>, double>; // points and radius as a share of the largest

// What a kind makes before the points get their attributes.
struct Plan {
    int points = 0;
    bool directed = false;
    std::vector<Edge> edges;
    std::string label;
    LayoutOptions layout;
    std::vector<Ring> rings;               // when set, the points stand on these circles
    std::vector<std::vector<int>> columns; // when set, the points stand in these columns
    std::vector<std::uint16_t> tokens;     // Petri nets: per point, from point 1
    std::vector<bool> transitions;
};

std::vector<int> Range(int from, int to) {
    std::vector<int> r;
    for (int i = from; i <= to; ++i)
        r.push_back(i);
    return r;
}

void AllPairs(Plan& plan) {
    for (int i = 1; i <= plan.points; ++i)
        for (int j = i + 1; j <= plan.points; ++j) {
            plan.edges.emplace_back(i, j);
            if (plan.directed) plan.edges.emplace_back(j, i);
        }
}

// Every pair the kind's direction allows, each once.
std::vector<Edge> CandidatePairs(int n, bool directed) {
    std::vector<Edge> pairs;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            if (i < j || (directed && i > j)) pairs.emplace_back(i, j);
    return pairs;
}

// Points 1..n in order, each but the first with an edge from an earlier point, each but the last
// with an edge to a later one, and further forward edges with chance p: one source, one sink.
void ForwardNet(Plan& plan, double p, RandomSource& random) {
    const int n = plan.points;
    std::vector<std::vector<bool>> has(static_cast<std::size_t>(n + 1),
                                       std::vector<bool>(static_cast<std::size_t>(n + 1)));
    auto add = [&](int i, int j) {
        if (has[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)]) return;
        has[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] = true;
        plan.edges.emplace_back(i, j);
    };
    for (int j = 2; j <= n; ++j)
        add(1 + static_cast<int>(random.Draw(static_cast<std::uint32_t>(j - 2))), j);
    for (int i = 2; i < n; ++i) {
        bool out = false;
        for (int j = i + 1; j <= n; ++j)
            out = out || has[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
        if (!out) add(i, i + 1 + static_cast<int>(random.Draw(static_cast<std::uint32_t>(n - i - 1))));
    }
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j)
            if (DrawUnit(random) < p) add(i, j);
}

// The producer (1 ready, 2 produce, 3 made, 4 deliver), the buffer (5 full, 6 empty slots) and
// the consumer (7 take, 8 taken, 9 consume, 10 ready).
void ProducerConsumerNet(Plan& plan, int slots) {
    plan.points = 10;
    plan.directed = true;
    plan.edges = {{1, 2}, {2, 3}, {3, 4},  {4, 1}, {6, 4}, {4, 5},
                  {5, 7}, {7, 6}, {10, 7}, {7, 8}, {8, 9}, {9, 10}};
    plan.tokens = {1, 0, 0, 0, 0, static_cast<std::uint16_t>(slots), 0, 0, 0, 1};
    plan.transitions = {false, true, false, true, false, false, true, false, true, false};
    plan.columns = {{1, 3}, {2, 4}, {5, 6}, {7, 9}, {10, 8}};
}

// The first check that fails, as the user reads it; empty when the parameters are sound.
std::string CheckCommon(const TemplateParams& p) {
    if (p.weights == WeightRule::Constant && !(p.weight >= 0 && p.weight <= MaxWeight))
        return "The weight must lie between 0 and 1E38";
    if (p.weights == WeightRule::RandomRange &&
        !(0 <= p.weightMin && p.weightMin <= p.weightMax && p.weightMax <= 1000000))
        return "Random weights need 0 <= low <= high <= 1000000";
    if (p.weights == WeightRule::Euclidean && (p.decimals < 0 || p.decimals > 6))
        return "The decimals of Euclidean weights must lie between 0 and 6";
    if (!(p.p >= 0 && p.p <= 1)) return "The edge chance p must lie between 0 and 1";
    return {};
}

std::string NeedAtLeast(const std::string& label, const char* what, int least) {
    return label + " needs " + what + " of at least " + std::to_string(least);
}

// Fills the plan's size and label; answers a refusal.
std::string Size(const TemplateParams& p, Plan& plan) {
    const std::string n = std::to_string(p.n);
    const std::string m = std::to_string(p.m);
    long long points = p.n;
    int least = 1;
    switch (p.kind) {
    case NetTemplate::Complete: plan.label = "K" + n; break;
    case NetTemplate::Cycle: plan.label = "C" + n, least = 3; break;
    case NetTemplate::Path: plan.label = "P" + n; break;
    case NetTemplate::Star: plan.label = "S" + n, points = p.n + 1LL; break;
    case NetTemplate::Wheel: plan.label = "W" + n, points = p.n + 1LL, least = 3; break;
    case NetTemplate::CompleteBipartite:
        plan.label = "K" + m + "," + n, points = static_cast<long long>(p.m) + p.n;
        if (p.m < 1) return NeedAtLeast(plan.label, "m", 1);
        break;
    case NetTemplate::Grid:
        plan.label = "Grid " + n + "x" + m, points = static_cast<long long>(p.n) * p.m;
        if (p.m < 1) return NeedAtLeast(plan.label, "c", 1);
        break;
    case NetTemplate::Hypercube:
        plan.label = "Q" + n, points = p.n >= 1 && p.n < 62 ? 1LL << p.n : 0;
        if (p.n >= 62) return plan.label + " would have 2^" + n + " points; Plax holds at most 15";
        break;
    case NetTemplate::Petersen: plan.label = "Petersen graph", points = 10; break;
    case NetTemplate::RandomTree: plan.label = "T" + n; break;
    case NetTemplate::RandomGnp: plan.label = "G(" + n + ", p)"; break;
    case NetTemplate::RandomGnm: plan.label = "G(" + n + ", " + m + ")"; break;
    case NetTemplate::ActivityNet: plan.label = "Activity net A" + n, least = 2; break;
    case NetTemplate::FlowNet: plan.label = "Flow net F" + n, least = 2; break;
    case NetTemplate::ProducerConsumer:
        plan.label = "Producer/consumer", points = 10;
        if (p.m < 1 || p.m > MaxTokens) return "The buffer needs 1 to 60000 slots";
        break;
    }
    if (p.kind != NetTemplate::Petersen && p.kind != NetTemplate::ProducerConsumer && p.n < least)
        return NeedAtLeast(plan.label, "n", least);
    if (points > MaxPoints) return TemplateTooBigMessage(plan.label, points);
    plan.points = static_cast<int>(points);
    return {};
}

void Structure(const TemplateParams& p, Plan& plan, RandomSource& random) {
    const int n = plan.points;
    plan.layout.kind = LayoutKind::Circle;
    switch (p.kind) {
    case NetTemplate::Complete: AllPairs(plan); break;
    case NetTemplate::Cycle:
        for (int i = 1; i <= n; ++i)
            plan.edges.emplace_back(i, i % n + 1);
        break;
    case NetTemplate::Path:
        for (int i = 1; i < n; ++i)
            plan.edges.emplace_back(i, i + 1);
        plan.layout.kind = LayoutKind::Grid;
        plan.layout.gridColumns = n;
        break;
    case NetTemplate::Star:
    case NetTemplate::Wheel:
        for (int i = 2; i <= n; ++i)
            plan.edges.emplace_back(1, i);
        if (p.kind == NetTemplate::Wheel)
            for (int i = 2; i <= n; ++i)
                plan.edges.emplace_back(i, i == n ? 2 : i + 1);
        plan.rings = {{{1}, 0.0}, {Range(2, n), 1.0}};
        break;
    case NetTemplate::CompleteBipartite:
        for (int i = 1; i <= p.m; ++i)
            for (int j = p.m + 1; j <= n; ++j)
                plan.edges.emplace_back(i, j);
        plan.columns = {Range(1, p.m), Range(p.m + 1, n)};
        break;
    case NetTemplate::Grid:
        for (int i = 1; i <= n; ++i) {
            if ((i - 1) % p.m + 1 < p.m) plan.edges.emplace_back(i, i + 1);
            if (i + p.m <= n) plan.edges.emplace_back(i, i + p.m);
        }
        plan.layout.kind = LayoutKind::Grid;
        plan.layout.gridColumns = p.m;
        break;
    case NetTemplate::Hypercube:
        for (int a = 0; a < n; ++a)
            for (int bit = 1; bit < n; bit <<= 1)
                if ((a & bit) == 0) plan.edges.emplace_back(a + 1, (a | bit) + 1);
        if (n == 8) plan.rings = {{{1, 2, 4, 3}, 1.0}, {{5, 6, 8, 7}, 0.45}};
        break;
    case NetTemplate::Petersen:
        plan.edges = {{1, 2}, {2, 3},  {3, 4}, {4, 5},  {5, 1},  {1, 6}, {2, 7}, {3, 8},
                      {4, 9}, {5, 10}, {6, 8}, {8, 10}, {10, 7}, {7, 9}, {9, 6}};
        plan.rings = {{Range(1, 5), 1.0}, {Range(6, 10), 0.5}};
        break;
    case NetTemplate::RandomTree:
        for (int i = 2; i <= n; ++i)
            plan.edges.emplace_back(1 + static_cast<int>(random.Draw(static_cast<std::uint32_t>(i - 2))), i);
        plan.layout.kind = LayoutKind::Layered;
        break;
    case NetTemplate::RandomGnp:
        for (const Edge& e : CandidatePairs(n, plan.directed))
            if (DrawUnit(random) < p.p) plan.edges.push_back(e);
        plan.layout.kind = LayoutKind::ForceDirected;
        break;
    case NetTemplate::RandomGnm: {
        std::vector<Edge> pairs = CandidatePairs(n, plan.directed);
        // A partial shuffle: the first m places take m different pairs.
        for (std::size_t k = 0; k < static_cast<std::size_t>(p.m); ++k) {
            const std::size_t pick = k + random.Draw(static_cast<std::uint32_t>(pairs.size() - k - 1));
            std::swap(pairs[k], pairs[pick]);
        }
        pairs.resize(static_cast<std::size_t>(p.m));
        plan.edges = pairs;
        plan.layout.kind = LayoutKind::ForceDirected;
        break;
    }
    case NetTemplate::ActivityNet:
    case NetTemplate::FlowNet:
        ForwardNet(plan, p.p, random);
        plan.layout.kind = LayoutKind::Layered;
        break;
    case NetTemplate::ProducerConsumer: ProducerConsumerNet(plan, p.m); break;
    }
}

std::string PointName(PointNaming naming, int i) {
    return naming == PointNaming::Letters ? std::string(1, static_cast<char>('A' + i - 1))
                                          : std::to_string(i);
}

void PlaceOnRings(NetWorkType& net, const std::vector<Ring>& rings, const LayoutArea& a) {
    const double cx = (a.left + a.right) / 2.0;
    const double cy = (a.top + a.bottom) / 2.0;
    const double r = std::min(a.right - a.left, a.bottom - a.top) / 2.0;
    for (const auto& [points, share] : rings)
        for (std::size_t j = 0; j < points.size(); ++j) {
            const double angle =
                2 * std::numbers::pi * static_cast<double>(j) / static_cast<double>(points.size());
            PointType& pt = net.points[static_cast<std::size_t>(points[j])];
            pt.x = static_cast<std::int32_t>(std::lround(cx + r * share * std::sin(angle)));
            pt.y = static_cast<std::int32_t>(std::lround(cy - r * share * std::cos(angle)));
        }
}

void PlaceInColumns(NetWorkType& net, const std::vector<std::vector<int>>& columns, const LayoutArea& a) {
    auto at = [](int lo, int hi, std::size_t k, std::size_t count) {
        return count <= 1
                   ? (lo + hi) / 2
                   : lo + static_cast<int>(std::lround(static_cast<double>(hi - lo) * static_cast<double>(k) /
                                                       static_cast<double>(count - 1)));
    };
    for (std::size_t c = 0; c < columns.size(); ++c)
        for (std::size_t k = 0; k < columns[c].size(); ++k) {
            PointType& pt = net.points[static_cast<std::size_t>(columns[c][k])];
            pt.x = at(a.left, a.right, c, columns.size());
            pt.y = at(a.top, a.bottom, k, columns[c].size());
        }
}

double EdgeWeight(const TemplateParams& p, const NetWorkType& net, const Edge& e, RandomSource& random) {
    switch (p.weights) {
    case WeightRule::Constant: return p.weight;
    case WeightRule::RandomRange:
        return p.weightMin +
               static_cast<double>(random.Draw(static_cast<std::uint32_t>(p.weightMax - p.weightMin)));
    case WeightRule::Euclidean: break;
    }
    const PointType& a = net.points[static_cast<std::size_t>(e.first)];
    const PointType& b = net.points[static_cast<std::size_t>(e.second)];
    const double scale = std::pow(10.0, p.decimals);
    return std::round(std::hypot(a.x - b.x, a.y - b.y) * scale) / scale;
}

NetWorkType Build(const TemplateParams& p, const Plan& plan, const OptionType& options,
                  RandomSource& random) {
    NetWorkType net;
    NetInit(net);
    SetNetKind(net, plan.directed ? DirNetCode : UndirNetCode);
    net.name = plan.label;
    net.defaultOptions = options.newNetOptions;
    net.n = static_cast<std::uint8_t>(plan.points);
    for (int i = 1; i <= plan.points; ++i) {
        PointType& pt = net.points[static_cast<std::size_t>(i)];
        pt.name = PointName(p.naming, i);
        pt.color = options.foreDefaultColor;
        const auto k = static_cast<std::size_t>(i - 1);
        pt.tokens = plan.tokens.empty() ? 1 : plan.tokens[k];
        pt.shape = !plan.transitions.empty() && plan.transitions[k] ? 2 : 0;
        pt.weight = 1.0;
    }
    const LayoutArea area = VisibleLayoutArea(p.width, p.height);
    if (!plan.rings.empty()) {
        PlaceOnRings(net, plan.rings, area);
    } else if (!plan.columns.empty()) {
        PlaceInColumns(net, plan.columns, area);
    } else {
        LayoutOptions layout = plan.layout;
        layout.seed = p.seed;
        LayoutNet(net, area, layout);
    }
    const bool petri = p.kind == NetTemplate::ProducerConsumer;
    for (const Edge& e : plan.edges) {
        EdgeType edge;
        edge.weight = petri ? 1.0 : EdgeWeight(p, net, e, random);
        edge.color = options.foreDefaultColor;
        edge.reserved = static_cast<std::uint32_t>(options.newReserved);
        edge.name = CutText(options.newEdgeName, MaxNameLength);
        edge.lineWidth = 1;
        InsertEdge(net, e.first, e.second, edge);
    }
    return net;
}

} // namespace

TemplateResult GenerateNet(const TemplateParams& params, const OptionType& options) {
    TemplateParams p = params;
    p.width = std::clamp(p.width, 0, 2000);
    p.height = std::clamp(p.height, 0, 2000);
    Plan plan;
    plan.directed = TemplateMayChooseDirection(p.kind) ? p.directed : true;
    if (std::string refusal = CheckCommon(p); !refusal.empty()) return {std::nullopt, refusal};
    if (std::string refusal = Size(p, plan); !refusal.empty()) return {std::nullopt, refusal};
    if (p.kind == NetTemplate::RandomGnm) {
        const auto most = static_cast<int>(CandidatePairs(plan.points, plan.directed).size());
        if (p.m < 0 || p.m > most)
            return {std::nullopt, plan.label + " can have at most " + std::to_string(most) + " edges"};
    }
    SeededRandom random(p.seed);
    Structure(p, plan, random);
    return {Build(p, plan, options, random), {}};
}

} // namespace plax
