// The Hamiltonian cycles of the complete net of 12 points (39,916,800 of them) listed by
// `plax-cli run hamiltonian-cycle` to /dev/null, beside a reference in the same run: a plain
// depth-first search writing the same five lines per cycle through a 1 MiB buffer (in its own
// order of cycles, so only the amount of text is the same). Prints the
// cycles per second of each, three runs, and the ratio of the best runs. A plain program: the
// --benchmark_* arguments of `make bench` are passed over.
#include "spawned_run.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <string_view>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int Points = 12;
constexpr double Cycles = 39916800.0; // 11!

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

bool Run(const std::vector<std::string>& command) { return plax::bench::SpawnedMilliseconds(command) >= 0; }

// The reference: every cycle from point 1 through all 12, as the Results text lists it, written
// as tightly as plain code can: a bit-set search, the text put in place with raw pointers and
// the counter's digits counted up in place.
class ReferenceWriter {
public:
    explicit ReferenceWriter(int fd) : fd_(fd), buffer_(BufferBytes + 4096) {}
    bool Failed() const { return failed_; }

    void ListAll() {
        path_[0] = 1;
        out_ = buffer_.data();
        Extend(1, static_cast<unsigned>(((1u << Points) - 1) & ~1u));
        Flush();
    }

private:
    static constexpr std::size_t BufferBytes = std::size_t{1} << 20;

    static char* Put(char* out, std::string_view text) { return std::copy(text.begin(), text.end(), out); }

    void Extend(int depth, unsigned unvisited) {
        if (unvisited == 0) {
            Write();
            return;
        }
        for (unsigned rest = unvisited; rest != 0; rest &= rest - 1) {
            const int bit = __builtin_ctz(rest);
            path_[static_cast<std::size_t>(depth)] = bit + 1;
            Extend(depth + 1, unvisited & ~(1u << bit));
        }
    }

    void CountUp() {
        char* d = digitsEnd_ - 1;
        while (d >= digits_.data() && *d == '9')
            *d-- = '0';
        if (d >= digits_.data()) {
            ++*d;
        } else {
            *digitsEnd_++ = '0';
            digits_[0] = '1';
        }
    }

    void Write() {
        CountUp();
        char* o = Put(out_, "\n    Counter = ");
        o = std::copy(digits_.data(), digitsEnd_, o);
        o = Put(o, "\n    Hamiltonian Cycle :     \n     ");
        for (int i = 0; i < Points; ++i) {
            const int p = path_[static_cast<std::size_t>(i)];
            *o++ = p < 10 ? ' ' : static_cast<char>('0' + p / 10);
            *o++ = static_cast<char>('0' + p % 10);
            *o++ = ',';
        }
        out_ = Put(o, " 1.\n    Weight of the current Hamiltonian Cycle  =  12\n");
        if (static_cast<std::size_t>(out_ - buffer_.data()) >= BufferBytes) Flush();
    }

    void Flush() {
        const auto size = static_cast<std::size_t>(out_ - buffer_.data());
        if (size != 0 && ::write(fd_, buffer_.data(), size) < 0) failed_ = true;
        out_ = buffer_.data();
    }

    int fd_;
    std::vector<char> buffer_;
    char* out_ = nullptr;
    std::array<int, Points> path_{};
    std::array<char, 24> digits_{'0'};
    char* digitsEnd_ = digits_.data() + 1;
    bool failed_ = false;
};

} // namespace

int main() {
    const std::string net = "/tmp/plax_listing_bench_k12.net";
    if (!Run({PLAX_CLI, "generate", "complete", net, "--n", std::to_string(Points), "--yes"})) {
        std::fprintf(stderr, "plax-cli generate failed\n");
        return 1;
    }
    std::printf("Hamiltonian cycles of K%d (%.0f), listed to /dev/null; million cycles per second\n", Points,
                Cycles);
    double bestPlax = 0.0;
    double bestReference = 0.0;
    for (int round = 1; round <= 3; ++round) {
        auto start = Clock::now();
        if (!Run({PLAX_CLI, "run", "hamiltonian-cycle", net, "--source", "1"})) {
            std::fprintf(stderr, "plax-cli run failed\n");
            return 1;
        }
        const double plax = Cycles / Seconds(start) / 1e6;
        const int fd = ::open("/dev/null", O_WRONLY);
        start = Clock::now();
        ReferenceWriter reference(fd);
        reference.ListAll();
        const double ref = Cycles / Seconds(start) / 1e6;
        ::close(fd);
        if (reference.Failed()) {
            std::fprintf(stderr, "the reference could not write\n");
            return 1;
        }
        std::printf("run %d: plax-cli %6.2f   reference %6.2f\n", round, plax, ref);
        bestPlax = std::max(bestPlax, plax);
        bestReference = std::max(bestReference, ref);
    }
    std::printf("best: plax-cli %.2f, reference %.2f, plax-cli at %.2f of the reference\n", bestPlax,
                bestReference, bestPlax / bestReference);
    std::remove(net.c_str());
    return 0;
}
