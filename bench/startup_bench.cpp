// plax-cli's start-up, each call beside its reference in paired runs (50 pairs, the two of a pair
// one right after the other, in alternating order), as a grader's shell loop meets it:
//   --version                       beside /bin/true
//   run shortest-path road.net      beside a program with no Qt printing the same text
//   convert road.net to PNG         through plax-cli's hand-off beside plax-cli-full itself
// Prints each median in milliseconds and the ratio of the medians. A plain program: the
// --benchmark_* arguments of `make bench` are passed over.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr int Pairs = 50;

using Command = std::vector<std::string>;

// The wall time of one run, its output and messages to /dev/null; a negative time when it failed.
double RunMilliseconds(const Command& command) {
    std::vector<char*> argv;
    for (const std::string& a : command)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned != 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1.0;
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

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
        const double a = referenceFirst ? RunMilliseconds(reference) : RunMilliseconds(plax);
        const double b = referenceFirst ? RunMilliseconds(plax) : RunMilliseconds(reference);
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
