#pragma once

#include "procedures/results_sink.h"

#include <chrono>
#include <optional>
#include <ostream>

namespace plax::cli {

// Results lines go to standard output as they come, and are kept for Add to Report.
// Stop is pressed by Ctrl+C or when the time limit has passed.
class CliSink : public LineSink {
public:
    CliSink(const Clock& clock, RunFlags& flags, std::ostream& out,
            std::optional<std::chrono::steady_clock::duration> timeLimit);
    ~CliSink() override;

protected:
    bool DoAddLine(const std::string& text) override;
    void DoStartLongRun() override;
    void DoPoll() override;

private:
    std::ostream& out_;
    std::optional<std::chrono::steady_clock::duration> timeLimit_;
    std::chrono::steady_clock::time_point deadline_{};
    bool interruptInstalled_ = false;
};

} // namespace plax::cli
