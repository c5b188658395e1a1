#pragma once

// Runs a procedure against a sink with the tests' fixed clock that can refuse a line or press
// Stop, and records what it wrote, marked and showed.
#include "accounts/results_sink.h"
#include "accounts/shortest_paths_account.h"

#include "algorithms/marking_buffer.h"

#include "model/net_store.h"

#include "net_builders.h"
#include "random_nets.h"
#include "recording_messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
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

// Collects lines. Its `failAt`-th line after opening (counted from 1; 0 = none) cannot be
// written; it presses Stop at its `stopAtPoll`-th poll (0: never) or when a line equal to
// `stopAtLine` is written, and remembers the gauge and the long run's start and end.
class CollectingSink : public LineSink {
public:
    CollectingSink(const Clock& clock, RunFlags& flags, int failAt = 0)
        : LineSink(clock, flags), failAt_(failAt) {}
    int stopAtPoll = 0;
    std::string stopAtLine;
    int polls = 0;
    std::vector<int> gauge;
    int longRunsStarted = 0;
    int longRunsEnded = 0;
    bool longRunEnded = false;

protected:
    bool DoAddLine(std::string_view text) override {
        if (++written_ == failAt_) return false;
        if (!stopAtLine.empty() && text == stopAtLine) Flags().stop = 1;
        return LineSink::DoAddLine(text);
    }
    void DoPoll() override {
        if (++polls == stopAtPoll) Flags().stop = 1;
    }
    void DoProgress(int percent) override { gauge.push_back(percent); }
    void DoStartLongRun() override { ++longRunsStarted; }
    void DoEndLongRun() override {
        ++longRunsEnded;
        longRunEnded = true;
    }

private:
    int failAt_;
    int written_ = 0;
};

using StoppingSink = CollectingSink;

// What one run wrote, marked and showed.
struct ProcedureRun {
    Lines lines;
    bool finished = false;
    Calls calls;
    MarkingBuffer marks;
    RunFlags flags;
    int polls = 0;
    std::vector<int> gauge;
    bool longRunEnded = false;
};

using SearchRun = ProcedureRun;

template <class Call> ProcedureRun RunProcedure(Call&& call, int failAt = 0) {
    const FixedClock clock("12:00", "08.12.2026");
    ProcedureRun run;
    CollectingSink sink(clock, run.flags, failAt);
    RecordingMessages messages;
    call(ProcedureOutput{sink, messages});
    run.lines = sink.Lines();
    run.finished = sink.Finished();
    run.calls = messages.calls;
    return run;
}

// Runs `procedure` with a marking buffer; `setUp` may arm the sink's Stop.
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

constexpr auto Header = ResultsHeader;

inline Lines Joined(Lines first, const Lines& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// The lines after the 11 header lines.
inline Lines Body(const Lines& lines) {
    return lines.size() <= 11 ? Lines{} : Lines(lines.begin() + 11, lines.end());
}

inline bool Adjacent(const NetWorkType& net, int a, int b) { return EdgeExists(net, a, b); }

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
