// plax-cli's start-up, each call beside its reference in paired runs (50 pairs, the two of a pair
// one right after the other, in alternating order), as a grader's shell loop meets it:
//   --version                       beside /bin/true
//   run shortest-path road.net      beside a program with no Qt printing the same text
//   convert road.net to PNG         through plax-cli's hand-off beside plax-cli-full itself
// Prints each median in milliseconds and the ratio of the medians. A plain program: the
// --benchmark_* arguments of `make bench` are passed over.
#include "spawned_run.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int Pairs = 50;

using Command = std::vector<std::string>;

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return (times[times.size() / 2] + times[(times.size() - 1) / 2]) / 2.0;
}

// Answers false when a run failed.
bool Compare(const char* what, const Command& plax, const Command& reference) {
    std::vector<double> ours;
    std::vector<double> theirs;
    for (int i = 0; i < Pairs; ++i) {
        const bool referenceFirst = i % 2 == 1;
        const double a = referenceFirst ? plax::bench::SpawnedMilliseconds(reference) : plax::bench::SpawnedMilliseconds(plax);
        const double b = referenceFirst ? plax::bench::SpawnedMilliseconds(plax) : plax::bench::SpawnedMilliseconds(reference);
        if (a < 0 || b < 0) {
            std::fprintf(stderr, "%s: a run failed\n", what);
            return false;
        }
        ours.push_back(referenceFirst ? b : a);
        theirs.push_back(referenceFirst ? a : b);
    }
    const double mine = Median(ours);
    const double ref = Median(theirs);
    std::printf("%-34s plax-cli %7.2f ms   reference %7.2f ms   ratio %.2f\n", what, mine, ref, mine / ref);
    return true;
}

} // namespace

int main() {
    const std::string road = PLAX_EXAMPLES_DIR "/road.net";
    const std::string png = "/tmp/plax_startup_bench.png";
    const Command path = {"--source", "1", "--sink", "9", "--time", "12:00", "--date", "01.01.2000"};
    Command run = {PLAX_CLI, "run", "shortest-path", road};
    run.insert(run.end(), path.begin(), path.end());
    std::printf("paired runs: %d pairs, medians\n", Pairs);
    const bool ok = Compare("--version", {PLAX_CLI, "--version"}, {"/bin/true"}) &&
                    Compare("run shortest-path road.net", run, {PLAX_STARTUP_REFERENCE, road, "1", "9"}) &&
                    Compare("convert road.net to PNG", {PLAX_CLI, "convert", "--yes", road, png},
                            {PLAX_CLI_FULL, "convert", "--yes", road, png});
    std::remove(png.c_str());
    return ok ? 0 : 1;
}
