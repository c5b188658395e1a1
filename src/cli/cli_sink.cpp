#include "cli_sink.h"

#include <csignal>

namespace plax::cli {

namespace {

// A signal handler can only leave a mark; the next poll turns it into a press of Stop.
volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int) { interrupted = 1; }

} // namespace

CliSink::CliSink(const Clock& clock, RunFlags& flags, std::ostream& out,
                 std::optional<std::chrono::steady_clock::duration> timeLimit, Keep keep)
    : ResultsSink(clock, flags), out_(out), timeLimit_(timeLimit), keep_(keep == Keep::Text) {}

CliSink::~CliSink() {
    if (interruptInstalled_) std::signal(SIGINT, SIG_DFL);
}

// A new window holds one empty line, which a header clears.
bool CliSink::DoOpen() {
    text_.Clear();
    KeepLine("");
    return true;
}

bool CliSink::DoAddLine(std::string_view text) {
    out_ << text << '\n';
    if (!out_) {
        outputFailed_ = true;
        return false;
    }
    KeepLine(text);
    return true;
}

// A block goes out in one write; the store takes it whole, as lines split at their ends.
bool CliSink::DoAddBlock(std::string_view lines) {
    out_.write(lines.data(), static_cast<std::streamsize>(lines.size()));
    if (!out_) {
        outputFailed_ = true;
        return false;
    }
    if (!lines.empty()) KeepLine(lines.substr(0, lines.size() - 1));
    return true;
}

void CliSink::KeepLine(std::string_view line) {
    if (!keep_) return;
    if (const TextStore::Status status = text_.Append(line); status != TextStore::Status::Ok)
        StopForText(status);
}

void CliSink::DoStartLongRun() {
    if (timeLimit_) deadline_ = std::chrono::steady_clock::now() + *timeLimit_;
    interrupted = 0;
    std::signal(SIGINT, OnInterrupt);
    interruptInstalled_ = true;
}

void CliSink::DoPoll() {
    const bool late = timeLimit_ && std::chrono::steady_clock::now() >= deadline_;
    if (late || interrupted != 0) {
        Flags().stop = 1;
        stopped_ = true;
    }
}

} // namespace plax::cli
