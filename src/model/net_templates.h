#pragma once

#include "net_types.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plax {

// The standard nets File > "New from Template..." and `plax-cli generate` make.
enum class NetTemplate {
    Complete,          // Kn: n points
    Cycle,             // Cn: n points, n >= 3
    Path,              // Pn: n points
    Star,              // Sn: a centre and n leaves
    Wheel,             // Wn: a centre and a rim of n points, n >= 3
    CompleteBipartite, // Km,n: m + n points
    Grid,              // r x c points
    Hypercube,         // Qd: 2^d points
    Petersen,          // 10 points
    RandomTree,        // n points
    RandomGnp,         // G(n, p): each pair an edge with chance p
    RandomGnm,         // G(n, m): m edges
    ActivityNet,       // directed and acyclic, source 1, sink n: ready for Critical Path
    FlowNet,           // directed, source 1, sink n, capacities
    ProducerConsumer,  // a Petri net with k buffer slots
};

inline constexpr std::size_t NetTemplateCount = 15;

// The name each kind has on the command line and in the dialog.
struct NetTemplateName {
    NetTemplate kind;
    std::string_view cli;
    std::string_view title;
};
extern const std::array<NetTemplateName, NetTemplateCount> NetTemplateNames;
std::optional<NetTemplate> NetTemplateFromName(std::string_view cli);

enum class WeightRule { Constant, RandomRange, Euclidean };
enum class PointNaming { Numbers, Letters };

struct TemplateParams {
    NetTemplate kind = NetTemplate::Complete;
    int n = 5;             // points; leaves of a star, rim of a wheel, rows of a grid, d of Qd
    int m = 3;             // the other part of Km,n, columns of a grid, edges of G(n, m), buffer slots
    double p = 0.5;        // edge chance of G(n, p), extra edges of the activity and flow nets
    bool directed = false; // where the kind allows both
    std::uint64_t seed = 1;
    WeightRule weights = WeightRule::Constant;
    double weight = 1.0; // Constant
    int weightMin = 1;   // RandomRange, bounds included
    int weightMax = 10;
    int decimals = 0; // Euclidean: digits kept after the point
    PointNaming naming = PointNaming::Numbers;
    int width = 593; // the visible canvas the net is laid out in
    int height = 326;
};

// Whether the kind can be directed or undirected at the user's choice; the activity, flow and
// Petri nets are always directed.
bool TemplateMayChooseDirection(NetTemplate kind);
// Whether the kind draws chances (and so reads the seed).
bool TemplateIsRandom(NetTemplate kind);

struct TemplateResult {
    std::optional<NetWorkType> net; // empty when refused
    std::string refusal;            // why, when refused
};

// Builds the net, its points laid out in the visible canvas and carrying the new-element
// settings of `options`; the same parameters give the same net on every machine.
TemplateResult GenerateNet(const TemplateParams& params, const OptionType& options);

// "K16 would have 16 points; Plax holds at most 15"
std::string TemplateTooBigMessage(const std::string& what, long long points);

} // namespace plax
