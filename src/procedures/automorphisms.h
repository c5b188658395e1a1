#pragma once

#include "accounts/results_sink.h"

#include "model/net_types.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace plax {

enum class AutomorphismOrder { Sorted, PlainChanges };

// One automorphism besides the identity: its number (the identity is 1) and the image of each
// point, points[p - 1] for point p. The points are only valid during the call.
struct AutomorphismFind {
    std::uint64_t counter = 0;
    std::span<const int> image;
};

using AutomorphismVisitor = std::function<void(const AutomorphismFind&)>;

struct AutomorphismsResult {
    std::uint64_t count = 1; // the identity included
    bool complete = true;    // false when Stop ended the search
};

// The classes of two or more points that the search exchanges among themselves (equal
// invariants), each in increasing order, ordered by their lowest points.
std::vector<std::vector<int>> AutomorphismClasses(const NetWorkType& net);

// The search alone, polling `control`; every automorphism but the identity goes to the visitor
// as it is found, since there can be millions. The caller starts and ends the long run.
AutomorphismsResult SearchAutomorphisms(const NetWorkType& net, AutomorphismOrder order, RunControl& control,
                                        const AutomorphismVisitor& onFind);

// Lists every renumbering of the points that maps the edges onto edges, exchanging only points
// with equal invariants, as a long run that Stop ends. Nothing is marked.
void Automorphisms(NetWorkType& net, AutomorphismOrder order, const std::string& fileName,
                   ProcedureOutput out);

[[nodiscard]] std::optional<std::string> AutomorphismsRefusal(const NetWorkType& net);

} // namespace plax
