#include "euler.h"

#include "graph_utils.h"

#include "model/net_store.h"

#include <array>

namespace plax {

namespace {

std::size_t At(int p) { return static_cast<std::size_t>(p); }

struct Verdict {
    bool cycle = false;
    bool path = false;
    int pathStart = 0;
    std::array<bool, MaxPoints + 1> violating{};
};

Verdict JudgeUndirected(const NetWorkType& net, const Degrees& d) {
    Verdict v;
    int odd = 0;
    for (int i = 1; i <= net.n; ++i) {
        if (d.out[At(i)] % 2 == 0) continue;
        ++odd;
        v.violating[At(i)] = true;
        v.pathStart = i;
    }
    v.cycle = odd == 0;
    v.path = odd == 2;
    return v;
}

Verdict JudgeDirected(const NetWorkType& net, const Degrees& d) {
    Verdict v;
    int ends = 0;
    int starts = 0;
    int unbalanced = 0;
    for (int i = 1; i <= net.n; ++i) {
        const int in = d.in[At(i)];
        const int out = d.out[At(i)];
        if (in == out + 1) ++ends;
        if (in == out - 1) {
            ++starts;
            v.pathStart = i;
        }
        if (in != out) {
            ++unbalanced;
            v.violating[At(i)] = true;
        }
    }
    v.cycle = unbalanced == 0;
    v.path = ends == 1 && starts == 1 && unbalanced == 2;
    return v;
}

// The traversal flags of every list entry, all available at the start of a run.
using EntryFlags = std::array<std::vector<bool>, MaxPoints + 1>;

int FirstAvailable(const NetWorkType& net, const EntryFlags& available, int u) {
    const EdgeList& list = net.lists[At(u)];
    for (std::size_t k = 0; k < list.size(); ++k) {
        if (available[At(u)][k]) return static_cast<int>(k);
    }
    return -1;
}

void UseFirstEntry(const NetWorkType& net, EntryFlags& available, int from, int to) {
    const EdgeList& list = net.lists[At(from)];
    for (std::size_t k = 0; k < list.size(); ++k) {
        if (list[k].target == to) {
            available[At(from)][k] = false;
            return;
        }
    }
}

} // namespace

std::vector<int> EulerSequence(const NetWorkType& net, int start) {
    if (start < 1 || start > net.n) return {};
    const bool undirected = IsUndirected(net);
    EntryFlags available;
    for (int i = 1; i <= net.n; ++i)
        available[At(i)].assign(net.lists[At(i)].size(), true);
    Degrees remaining = ComputeDegrees(net);
    PointStack work;
    PointStack output;
    work.Push(start);
    while (!work.Empty()) {
        const int u = work.Top();
        // Every step either uses up an entry or pops, so even inconsistent lists end the loop.
        const int k = remaining.out[At(u)] > 0 ? FirstAvailable(net, available, u) : -1;
        const int w = k < 0 ? 0 : net.lists[At(u)][static_cast<std::size_t>(k)].target;
        if (w < 1 || w > net.n) {
            work.Pop();
            output.Push(u);
            continue;
        }
        available[At(u)][static_cast<std::size_t>(k)] = false;
        --remaining.out[At(u)];
        work.Push(w);
        auto& other = undirected ? remaining.out[At(w)] : remaining.in[At(w)];
        if (other > 0) --other;
        if (undirected) {
            UseFirstEntry(net, available, w, u);
            UseFirstEntry(net, available, u, w);
        }
    }
    std::vector<int> points;
    for (; !output.Empty(); output.Pop())
        points.push_back(output.Top());
    return points;
}

EulerResult ComputeEuler(const NetWorkType& net, EulerMode mode) {
    EulerResult r;
    r.connected = CountComponents(net).count <= 1;
    if (!r.connected) return r;
    const Verdict verdict = IsUndirected(net) ? JudgeUndirected(net, ComputeDegrees(net))
                                              : JudgeDirected(net, ComputeDegrees(net));
    r.violating = verdict.violating;
    r.exists = mode == EulerMode::Cycle ? verdict.cycle : verdict.path;
    if (!r.exists) return r;
    r.start = mode == EulerMode::Cycle ? 1 : verdict.pathStart;
    r.sequence = EulerSequence(net, r.start);
    return r;
}

} // namespace plax
