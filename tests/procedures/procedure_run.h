#pragma once

// Runs a procedure against a collecting sink with the tests' fixed clock and records what it
// wrote and showed.
#include "accounts/results_sink.h"
#include "procedures/shortest_paths.h"

#include "net_builders.h"
#include "recording_messages.h"

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace plax::testing {

using Lines = std::vector<std::string>;
using Calls = std::vector<RecordingMessages::Call>;

inline const std::string CompleteLine = "    Procedure complete. ";
inline const std::string CannotWriteText =
    " Cannot write string to Results Window.\r\nProcedure terminated! ";

// Collects lines; its `failAt`-th line after opening (counted from 1; 0 = none) cannot be written.
class CollectingSink : public LineSink {
public:
    CollectingSink(const Clock& clock, RunFlags& flags, int failAt)
        : LineSink(clock, flags), failAt_(failAt) {}

protected:
    bool DoAddLine(const std::string& text) override {
        if (++written_ == failAt_) return false;
        return LineSink::DoAddLine(text);
    }

private:
    int failAt_;
    int written_ = 0;
};

struct ProcedureRun {
    Lines lines;
    bool finished = false;
    Calls calls;
};

template <class Call> ProcedureRun RunProcedure(Call&& call, int failAt = 0) {
    const FixedClock clock("12:00", "08.12.2026");
    RunFlags flags;
    CollectingSink sink(clock, flags, failAt);
    RecordingMessages messages;
    call(ProcedureOutput{sink, messages});
    return {sink.Lines(), sink.Finished(), messages.calls};
}

// A whole Results text: the header, the body and the completion line.
inline Lines ResultsText(Lines header, const Lines& body) {
    header.insert(header.end(), body.begin(), body.end());
    header.push_back(CompleteLine);
    return header;
}

inline Lines ResultsText(const std::string& title, const NetWorkType& net, const std::string& type, int edges,
                         const Lines& body) {
    return ResultsText(ResultsHeader(title, net.name, type, net.n, edges), body);
}

// The account between the header and the completion line.
inline Lines BodyOf(const Lines& lines) {
    if (lines.size() < 12) return {};
    return Lines(lines.begin() + 11, lines.end() - 1);
}

// 1->2 (2), 2->3 (2.5), 1->3 (5), source 1, sink 3: the shortest path 1, 2, 3 has length 4.5.
inline NetWorkType DirectedTriangle() {
    NetWorkType net = MakeNet(DirNetCode, 3, "tri");
    AddEdge(net, 1, 2, 2.0);
    AddEdge(net, 2, 3, 2.5);
    AddEdge(net, 1, 3, 5.0);
    net.sourcePoint = 1;
    net.sinkPoint = 3;
    return net;
}

// An undirected path 1 - 2 - ... - n, edges added in that order.
inline NetWorkType PathNet(int n, const std::string& name = "path") {
    NetWorkType net = MakeNet(UndirNetCode, n, name);
    for (int i = 1; i < n; ++i)
        AddEdge(net, i, i + 1, 1.0);
    return net;
}

// An undirected cycle 1 - 2 - ... - n - 1, edges added in that order.
inline NetWorkType CycleNet(int n, const std::string& name = "cycle") {
    NetWorkType net = PathNet(n, name);
    AddEdge(net, n, 1, 1.0);
    return net;
}

// A random net of `n` points whose pairs are joined with chance `density`, in shuffled order so
// that the lists come in no particular order.
inline NetWorkType RandomNet(std::mt19937& rng, std::uint16_t kind, int n, double density) {
    NetWorkType net = MakeNet(kind, n, "random");
    std::vector<std::pair<int, int>> pairs;
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) {
            if (i != j && (kind != UndirNetCode || i < j)) pairs.emplace_back(i, j);
        }
    }
    std::shuffle(pairs.begin(), pairs.end(), rng);
    std::bernoulli_distribution take(density);
    for (auto [i, j] : pairs) {
        if (take(rng)) AddEdge(net, i, j, 1.0);
    }
    return net;
}

// Components by union-find over the stored entries, directions ignored.
inline int UnionFindComponents(const NetWorkType& net) {
    std::vector<int> root(static_cast<std::size_t>(net.n) + 1);
    for (int i = 0; i <= net.n; ++i)
        root[static_cast<std::size_t>(i)] = i;
    const auto find = [&](int x) {
        while (root[static_cast<std::size_t>(x)] != x)
            x = root[static_cast<std::size_t>(x)];
        return x;
    };
    int count = net.n;
    for (int i = 1; i <= net.n; ++i) {
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(i)]) {
            const int a = find(i);
            const int b = find(e.target);
            if (a == b) continue;
            root[static_cast<std::size_t>(a)] = b;
            --count;
        }
    }
    return count;
}

} // namespace plax::testing
