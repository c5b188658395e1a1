#pragma once

#include "marking_buffer.h"
#include "point_set.h"
#include "results_sink.h"
#include "salesman_bound.h"

#include "model/net_types.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plax {

enum class TourKind { HamiltonianCycle, HamiltonianPath, Salesman };

// The backtracking that the Hamiltonian searches and the salesman share: from the net's source
// point along the edge lists in list order, pruned by reachability (and, for the salesman, by
// weight), writing a solution block for every find.
class TourSearch {
public:
    TourSearch(const NetWorkType& net, TourKind kind, ResultsSink& sink);

    void Run();
    // The closing lines: the last find again, or why there is none.
    void WriteEnding(bool stopped);
    // The edges of the last find, in the order it runs.
    std::vector<EdgeMark> FoundEdges() const;

private:
    struct Step {
        int to = 0;
        double weight = 0.0;
    };

    void Search(int k);
    bool Completes(int k, const Step& e) const;
    void Complete(int k, const Step& e);
    bool Accepts(const Step& e) const;
    bool ReachesTheRest(int w) const;
    void Extend(int k, const Step& e);
    void PollBeforeExtending();
    bool Stopped() const { return sink_.Flags().stop != 0; }
    void WriteSolution();
    int SequenceLength() const { return kind_ == TourKind::HamiltonianPath ? n_ : n_ + 1; }

    const TourKind kind_;
    ResultsSink& sink_;
    const int n_;
    const int source_;
    const std::string name_;
    std::array<std::vector<Step>, MaxPoints + 1> steps_;
    NeighbourSets out_{};
    std::optional<SalesmanBound> bound_;
    double globalBound_ = 0.0;

    std::array<int, MaxPoints + 2> position_{};
    PointSet unvisited_ = 0;
    double weight_ = 0.0;
    std::uint64_t counter_ = 0;
    std::array<int, MaxPoints + 2> found_{};
    double foundWeight_ = 0.0;
    bool finished_ = false;
    std::uint8_t pollCounter_ = 0;
};

} // namespace plax
