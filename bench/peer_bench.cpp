// Plax beside Boost Graph on the same seeded 15-point nets: each Plax procedure's whole call
// (account written into a sink that drops it) against the Boost computation alone on a graph
// built beforehand. Rounds interleave the two, so a busy machine slows both alike; the figures
// are medians over the rounds, per call, and the ratio is Plax's time over Boost's.
#include "accounts/cut_points_account.h"
#include "accounts/max_capacity_path_account.h"
#include "accounts/max_flow_account.h"
#include "accounts/metrics_account.h"
#include "accounts/shortest_paths_account.h"
#include "accounts/spanning_tree_account.h"

#include "peer_nets.h"

#include <boost/graph/adjacency_list.hpp>
#include <boost/graph/biconnected_components.hpp>
#include <boost/graph/breadth_first_search.hpp>
#include <boost/graph/connected_components.hpp>
#include <boost/graph/dijkstra_shortest_paths.hpp>
#include <boost/graph/prim_minimum_spanning_tree.hpp>
#include <boost/graph/push_relabel_max_flow.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace {

using plax::NetWorkType;

using Graph = boost::adjacency_list<
    boost::vecS, boost::vecS, boost::undirectedS, boost::no_property,
    boost::property<boost::edge_weight_t, double, boost::property<boost::edge_index_t, std::size_t>>>;
using Traits = boost::adjacency_list_traits<boost::vecS, boost::vecS, boost::directedS>;
using FlowGraph = boost::adjacency_list<
    boost::vecS, boost::vecS, boost::directedS, boost::no_property,
    boost::property<boost::edge_capacity_t, double,
                    boost::property<boost::edge_residual_capacity_t, double,
                                    boost::property<boost::edge_reverse_t, Traits::edge_descriptor>>>>;

// Point p of the net is vertex p - 1.
Graph ToGraph(const NetWorkType& net) {
    Graph g(static_cast<std::size_t>(net.n));
    std::size_t index = 0;
    for (int i = 1; i <= net.n; ++i) {
        for (const plax::EdgeType& e : net.lists[static_cast<std::size_t>(i)]) {
            if (e.target > i)
                boost::add_edge(static_cast<std::size_t>(i - 1), static_cast<std::size_t>(e.target - 1),
                                {e.weight, index++}, g);
        }
    }
    return g;
}

// Each undirected edge as two arcs, each with its reverse arc of no capacity. Filled in place:
// the reverse arcs point into this graph's own edges, so a copy would point into freed ones.
void FillFlowGraph(FlowGraph& g, const NetWorkType& net) {
    auto capacity = boost::get(boost::edge_capacity, g);
    auto reverse = boost::get(boost::edge_reverse, g);
    for (int i = 1; i <= net.n; ++i) {
        for (const plax::EdgeType& e : net.lists[static_cast<std::size_t>(i)]) {
            const auto a = static_cast<std::size_t>(i - 1);
            const auto b = static_cast<std::size_t>(e.target - 1);
            const auto forward = boost::add_edge(a, b, g).first;
            const auto back = boost::add_edge(b, a, g).first;
            capacity[forward] = e.weight;
            capacity[back] = 0.0;
            reverse[forward] = back;
            reverse[back] = forward;
        }
    }
}

struct Peer {
    std::string name;
    std::function<void(std::size_t)> plax;  // the whole call on net k
    std::function<void(std::size_t)> boost; // the computation alone on graph k
};

class PeerRun {
public:
    PeerRun() : nets_(plax::bench::PeerNets()) {
        // Built in place: a copied graph is of no use here.
        graphs_.reserve(nets_.size());
        flowGraphs_.reserve(nets_.size());
        for (const NetWorkType& net : nets_) {
            graphs_.push_back(ToGraph(net));
            FillFlowGraph(flowGraphs_.emplace_back(static_cast<std::size_t>(net.n)), net);
        }
    }

    std::vector<Peer> Peers();
    std::size_t NetCount() const { return nets_.size(); }
    // Every result summed and printed, so no computation is optimised away.
    double Total() const { return total_; }

private:
    plax::ProcedureOutput Out() { return {sink_, messages_}; }
    const Graph& G(std::size_t k) const { return graphs_[k]; }

    std::vector<NetWorkType> nets_;
    std::vector<Graph> graphs_;
    std::vector<FlowGraph> flowGraphs_;
    plax::FixedClock clock_{"12:00", "01.01.2000"};
    plax::RunFlags flags_;
    plax::bench::DiscardingSink sink_{clock_, flags_};
    plax::SilentMessages messages_;
    plax::MarkingBuffer marks_;
    std::vector<double> dist_ = std::vector<double>(plax::MaxPoints);
    std::vector<std::size_t> pred_ = std::vector<std::size_t>(plax::MaxPoints);
    double total_ = 0.0;
};

double BoostDijkstra(const Graph& g, std::vector<double>& dist, std::vector<std::size_t>& pred) {
    boost::dijkstra_shortest_paths(g, 0, boost::predecessor_map(pred.data()).distance_map(dist.data()));
    return dist.back();
}

// Boost's Dijkstra with min for concatenation and max for choice.
double BoostWidest(const Graph& g, std::vector<double>& width) {
    boost::dijkstra_shortest_paths(g, 0,
                                   boost::distance_map(width.data())
                                       .distance_compare(std::greater<double>())
                                       .distance_combine([](double a, double b) { return std::min(a, b); })
                                       .distance_inf(std::numeric_limits<double>::lowest())
                                       .distance_zero(std::numeric_limits<double>::max()));
    return width.back();
}

// What the metrics report needs: components and every point's eccentricity.
double BoostMetrics(const Graph& g, std::vector<std::size_t>& steps) {
    std::vector<int> component(boost::num_vertices(g));
    double total = boost::connected_components(g, component.data());
    for (std::size_t s = 0; s < boost::num_vertices(g); ++s) {
        std::fill(steps.begin(), steps.end(), 0);
        boost::breadth_first_search(g, s,
                                    boost::visitor(boost::make_bfs_visitor(
                                        boost::record_distances(steps.data(), boost::on_tree_edge()))));
        total += static_cast<double>(*std::max_element(steps.begin(), steps.end()));
    }
    return total;
}

double BoostBridges(const Graph& g) {
    std::vector<std::size_t> component(boost::num_edges(g));
    const auto map = boost::make_iterator_property_map(component.begin(), boost::get(boost::edge_index, g));
    const std::size_t count = boost::biconnected_components(g, map);
    std::vector<int> size(count);
    for (const std::size_t c : component)
        ++size[c];
    return static_cast<double>(std::count(size.begin(), size.end(), 1));
}

std::vector<Peer> PeerRun::Peers() {
    using plax::ShortestPathMode;
    std::vector<Peer> peers;
    peers.push_back({"shortest-path",
                     [this](std::size_t k) {
                         plax::ShortestPath(nets_[k], ShortestPathMode::SinglePair, marks_, "p.net", Out());
                     },
                     [this](std::size_t k) { total_ += BoostDijkstra(G(k), dist_, pred_); }});
    peers.push_back({"all-shortest-paths",
                     [this](std::size_t k) {
                         plax::ShortestPath(nets_[k], ShortestPathMode::AllFromSource, marks_, "p.net",
                                            Out());
                     },
                     [this](std::size_t k) { total_ += BoostDijkstra(G(k), dist_, pred_); }});
    peers.push_back({"spanning-tree",
                     [this](std::size_t k) { plax::MinSpanningTree(nets_[k], marks_, "p.net", Out()); },
                     [this](std::size_t k) {
                         boost::prim_minimum_spanning_tree(G(k), pred_.data());
                         total_ += static_cast<double>(pred_.back());
                     }});
    peers.push_back({"max-flow",
                     [this](std::size_t k) { plax::MaximalFlow(nets_[k], marks_, "p.net", Out()); },
                     [this](std::size_t k) {
                         total_ += boost::push_relabel_max_flow(flowGraphs_[k], 0, plax::MaxPoints - 1);
                     }});
    peers.push_back({"max-capacity-path",
                     [this](std::size_t k) { plax::MaxCapacityPath(nets_[k], marks_, "p.net", Out()); },
                     [this](std::size_t k) { total_ += BoostWidest(G(k), dist_); }});
    peers.push_back({"metrics",
                     [this](std::size_t k) { plax::QuickMetrics(nets_[k], marks_, "p.net", Out()); },
                     [this](std::size_t k) { total_ += BoostMetrics(G(k), pred_); }});
    peers.push_back({"cut-points",
                     [this](std::size_t k) {
                         plax::CutPointsAndBridges(nets_[k], plax::CutSearchMode::CutPoints, marks_, "p.net",
                                                   Out());
                     },
                     [this](std::size_t k) {
                         std::vector<std::size_t> cut;
                         boost::articulation_points(G(k), std::back_inserter(cut));
                         total_ += static_cast<double>(cut.size());
                     }});
    peers.push_back({"bridges",
                     [this](std::size_t k) {
                         plax::CutPointsAndBridges(nets_[k], plax::CutSearchMode::Bridges, marks_, "p.net",
                                                   Out());
                     },
                     [this](std::size_t k) { total_ += BoostBridges(G(k)); }});
    return peers;
}

// Nanoseconds per call of `call` over every net, `repeat` times each.
double TimePerCall(const std::function<void(std::size_t)>& call, std::size_t nets, int repeat) {
    const auto start = std::chrono::steady_clock::now();
    for (int r = 0; r < repeat; ++r) {
        for (std::size_t k = 0; k < nets; ++k)
            call(k);
    }
    const std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / static_cast<double>(static_cast<std::size_t>(repeat) * nets);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

// With an argument, only the procedures whose names contain it are timed (for profiling one).
int main(int argc, char** argv) {
    PeerRun run;
    std::vector<Peer> peers = run.Peers();
    if (argc > 1) {
        const std::string only = argv[1];
        std::erase_if(peers, [&](const Peer& p) { return p.name.find(only) == std::string::npos; });
    }
    constexpr int Rounds = 21;
    constexpr int Repeat = 40;
    std::vector<std::vector<double>> plaxTimes(peers.size());
    std::vector<std::vector<double>> boostTimes(peers.size());
    for (int round = 0; round < Rounds; ++round) {
        for (std::size_t p = 0; p < peers.size(); ++p) {
            // Alternate which goes first, so neither always finds the caches warm.
            if (round % 2 == 0) plaxTimes[p].push_back(TimePerCall(peers[p].plax, run.NetCount(), Repeat));
            boostTimes[p].push_back(TimePerCall(peers[p].boost, run.NetCount(), Repeat));
            if (round % 2 != 0) plaxTimes[p].push_back(TimePerCall(peers[p].plax, run.NetCount(), Repeat));
        }
    }
    std::printf("Plax whole call (text into a discarding sink) vs Boost Graph computation alone,\n"
                "15-point seeded nets (densities 0.15, 0.4, 0.7, 1), medians of %d interleaved rounds\n\n",
                Rounds);
    std::printf("%-20s %14s %14s %8s\n", "procedure", "plax ns/call", "boost ns/call", "ratio");
    for (std::size_t p = 0; p < peers.size(); ++p) {
        const double plaxNs = Median(plaxTimes[p]);
        const double boostNs = Median(boostTimes[p]);
        std::printf("%-20s %14.0f %14.0f %8.2f\n", peers[p].name.c_str(), plaxNs, boostNs, plaxNs / boostNs);
    }
    std::printf("\n(checksum %.0f)\n", run.Total());
    return 0;
}
