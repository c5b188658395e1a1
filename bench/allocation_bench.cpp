// Counts the heap allocations of each procedure's whole call, its text going into a sink that
// drops it. An allocation inside an inner loop shows as a count that grows with the work: the
// complete net of 15 points does far more steps than the ring of 15, while the text grows only
// by its lines. A procedure passes when its extra allocations on the complete net stay within
// its extra lines plus a few, and the listings pass when a thousand finds add no allocation.
#include "accounts/automorphisms_account.h"
#include "accounts/cut_points_account.h"
#include "accounts/density_account.h"
#include "accounts/euler_account.h"
#include "accounts/hamiltonian_account.h"
#include "accounts/max_capacity_path_account.h"
#include "accounts/max_flow_account.h"
#include "accounts/metrics_account.h"
#include "accounts/shortest_paths_account.h"
#include "accounts/spanning_tree_account.h"

#include "peer_nets.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <new>
#include <string>
#include <vector>

namespace {

// The one counter the replaced operator new needs; nothing else in the program is global.
std::atomic<long long> allocations{0};

} // namespace

void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using plax::NetWorkType;

struct Count {
    long long allocations = 0;
    long long lines = 0;
};

class Counter {
public:
    // The allocations and lines of one call, after a first call that warms what is kept.
    Count Of(const std::function<void(NetWorkType&, plax::ProcedureOutput)>& call, const NetWorkType& net,
             long long lineLimit = 0) {
        NetWorkType copy = net;
        Run(call, copy, lineLimit);
        return Run(call, copy, lineLimit);
    }

private:
    Count Run(const std::function<void(NetWorkType&, plax::ProcedureOutput)>& call, NetWorkType& net,
              long long lineLimit) {
        plax::RunFlags flags;
        LimitedSink sink(clock_, flags, lineLimit);
        const long long before = allocations.load();
        call(net, {sink, messages_});
        return {allocations.load() - before, sink.lines};
    }

    class LimitedSink : public plax::bench::DiscardingSink {
    public:
        LimitedSink(const plax::Clock& clock, plax::RunFlags& flags, long long limit)
            : DiscardingSink(clock, flags), limit_(limit) {}

    protected:
        bool DoAddLine(std::string_view text) override {
            DiscardingSink::DoAddLine(text);
            if (lines == limit_) Flags().stop = 1;
            return true;
        }

    private:
        long long limit_;
    };

    plax::FixedClock clock_{"12:00", "01.01.2000"};
    plax::SilentMessages messages_;
};

struct Procedure {
    const char* name;
    std::function<void(NetWorkType&, plax::ProcedureOutput)> call;
};

std::vector<Procedure> Procedures(plax::MarkingBuffer& m) {
    using plax::ShortestPathMode;
    return {
        {"shortest-path",
         [&m](NetWorkType& n, auto o) {
             plax::ShortestPath(n, ShortestPathMode::SinglePair, m, "a.net", o);
         }},
        {"all-shortest-paths",
         [&m](NetWorkType& n, auto o) {
             plax::ShortestPath(n, ShortestPathMode::AllFromSource, m, "a.net", o);
         }},
        {"spanning-tree", [&m](NetWorkType& n, auto o) { plax::MinSpanningTree(n, m, "a.net", o); }},
        {"max-flow", [&m](NetWorkType& n, auto o) { plax::MaximalFlow(n, m, "a.net", o); }},
        {"max-capacity-path", [&m](NetWorkType& n, auto o) { plax::MaxCapacityPath(n, m, "a.net", o); }},
        {"metrics", [&m](NetWorkType& n, auto o) { plax::QuickMetrics(n, m, "a.net", o); }},
        {"cut-points",
         [&m](NetWorkType& n, auto o) {
             plax::CutPointsAndBridges(n, plax::CutSearchMode::CutPoints, m, "a.net", o);
         }},
        {"bridges",
         [&m](NetWorkType& n, auto o) {
             plax::CutPointsAndBridges(n, plax::CutSearchMode::Bridges, m, "a.net", o);
         }},
        {"euler-cycle",
         [&m](NetWorkType& n, auto o) { plax::Euler(n, plax::EulerMode::Cycle, m, "a.net", o); }},
        {"density",
         [&m](NetWorkType& n, auto o) { plax::Density(n, plax::DensityMode::Density, m, "a.net", o); }},
        {"coloring",
         [&m](NetWorkType& n, auto o) { plax::Density(n, plax::DensityMode::Coloring, m, "a.net", o); }},
    };
}

} // namespace

int main() {
    plax::MarkingBuffer marks;
    Counter counter;
    const NetWorkType ring = plax::bench::SeededNet(5, 0.0, false);
    const NetWorkType complete = plax::bench::SeededNet(6, 1.0, false);
    int failures = 0;
    std::printf("%-20s %12s %12s %12s %12s  %s\n", "procedure", "allocs ring", "lines ring", "allocs K15",
                "lines K15", "inner loops");
    for (const Procedure& p : Procedures(marks)) {
        const Count a = counter.Of(p.call, ring);
        const Count b = counter.Of(p.call, complete);
        const bool ok = b.allocations - a.allocations <= std::max(0LL, b.lines - a.lines) + 8;
        failures += ok ? 0 : 1;
        std::printf("%-20s %12lld %12lld %12lld %12lld  %s\n", p.name, a.allocations, a.lines, b.allocations,
                    b.lines, ok ? "ok" : "ALLOCATE");
    }
    // The listings: 600 lines against 6000 lines of the same run on the complete net.
    const std::vector<Procedure> listings = {
        {"hamiltonian-cycles",
         [&marks](NetWorkType& n, auto o) {
             plax::Hamiltonian(n, plax::HamiltonianMode::Cycle, marks, "a.net", o);
         }},
        {"automorphisms",
         [](NetWorkType& n, auto o) { plax::Automorphisms(n, plax::AutomorphismOrder::Sorted, "a.net", o); }},
        {"automorphisms-unsorted",
         [](NetWorkType& n, auto o) {
             plax::Automorphisms(n, plax::AutomorphismOrder::PlainChanges, "a.net", o);
         }},
    };
    for (const Procedure& p : listings) {
        const Count a = counter.Of(p.call, complete, 600);
        const Count b = counter.Of(p.call, complete, 6000);
        const bool ok = b.allocations - a.allocations <= 8;
        failures += ok ? 0 : 1;
        std::printf("%-20s %12lld %12lld %12lld %12lld  %s\n", p.name, a.allocations, a.lines, b.allocations,
                    b.lines, ok ? "ok" : "ALLOCATE");
    }
    std::printf("\n%d procedure(s) allocating in an inner loop\n", failures);
    return failures == 0 ? 0 : 1;
}
