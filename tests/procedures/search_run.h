#pragma once

// Nets, runs and random nets for the tests of the searches that can be stopped.
#include "algorithms/marking_buffer.h"
#include "accounts/results_sink.h"
#include "procedures/shortest_paths.h"

#include "model/net_store.h"

#include "net_builders.h"
#include "recording_messages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace plax::testing {

using Lines = std::vector<std::string>;

// Edges go to the head of the lists, so the last one added is visited first.
inline void Connect(NetWorkType& net, int from, int to, double weight = 1.0) {
    EdgeType e;
    e.weight = weight;
    e.lineWidth = 1;
    ASSERT_TRUE(InsertEdge(net, from, to, e)) << from << "-" << to;
}

constexpr auto Header = ResultsHeader;

inline Lines Joined(Lines first, const Lines& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// A Results sink that presses Stop at its `stopAtPoll`-th poll (0: never), or when a line equal
// to `stopAtLine` is written, and remembers the gauge.
class StoppingSink : public LineSink {
public:
    StoppingSink(const Clock& clock, RunFlags& flags) : LineSink(clock, flags) {}
    int stopAtPoll = 0;
    std::string stopAtLine;
    int polls = 0;
    std::vector<int> gauge;
    bool longRunEnded = false;

protected:
    void DoPoll() override {
        if (++polls == stopAtPoll) Flags().stop = 1;
    }
    bool DoAddLine(const std::string& text) override {
        if (!stopAtLine.empty() && text == stopAtLine) Flags().stop = 1;
        return LineSink::DoAddLine(text);
    }
    void DoProgress(int percent) override { gauge.push_back(percent); }
    void DoEndLongRun() override { longRunEnded = true; }
};

struct SearchRun {
    Lines lines;
    MarkingBuffer marks;
    std::vector<RecordingMessages::Call> calls;
    RunFlags flags;
    int polls = 0;
    std::vector<int> gauge;
    bool longRunEnded = false;
    bool finished = false;
};

// Runs `procedure` on a sink with the fixed clock; `setUp` may arm the sink's Stop.
inline SearchRun RunSearch(const std::function<void(MarkingBuffer&, ProcedureOutput)>& procedure,
                           const std::function<void(StoppingSink&)>& setUp = {}) {
    const FixedClock clock("12:00", "08.12.2026");
    SearchRun run;
    StoppingSink sink(clock, run.flags);
    if (setUp) setUp(sink);
    RecordingMessages messages;
    procedure(run.marks, {sink, messages});
    run.lines = sink.Lines();
    run.calls = messages.calls;
    run.polls = sink.polls;
    run.gauge = sink.gauge;
    run.longRunEnded = sink.longRunEnded;
    run.finished = sink.Finished();
    return run;
}

// The lines after the 11 header lines.
inline Lines Body(const Lines& lines) {
    return lines.size() <= 11 ? Lines{} : Lines(lines.begin() + 11, lines.end());
}

// A net with each possible edge present with probability `density`; weights drawn from
// 1..maxWeight. Fixed seeds keep every run the same.
inline NetWorkType RandomNet(std::mt19937& rng, int n, double density, bool directed, int maxWeight = 9) {
    NetWorkType net = MakeNet(directed ? DirNetCode : UndirNetCode, n, "random");
    std::vector<std::pair<int, int>> pairs;
    for (int i = 1; i <= n; ++i) {
        for (int j = directed ? 1 : i + 1; j <= n; ++j) {
            if (i != j && static_cast<double>(rng() % 1000) / 1000.0 < density) pairs.emplace_back(i, j);
        }
    }
    // Mixed insertion order, so the lists are not all in point order.
    for (std::size_t k = pairs.size(); k > 1; --k)
        std::swap(pairs[k - 1], pairs[rng() % k]);
    for (const auto& [i, j] : pairs)
        Connect(net, i, j, static_cast<double>(1 + rng() % static_cast<unsigned>(maxWeight)));
    return net;
}

inline bool Adjacent(const NetWorkType& net, int a, int b) { return EdgeExists(net, a, b); }

} // namespace plax::testing
