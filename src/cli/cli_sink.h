#pragma once

#include "accounts/results_sink.h"
#include "accounts/text_store.h"

#include <chrono>
#include <optional>
#include <ostream>

namespace plax::cli {

// Results lines go to standard output as they come; a listing may run for hours, so nothing is
// kept unless the text is to be added to the report, and then only in a TextStore, whose memory
// is bounded. Stop is pressed by Ctrl+C, when the time limit has passed, or when the store
// refuses a line.
class CliSink : public ResultsSink {
public:
    enum class Keep { Nothing, Text };

    CliSink(const Clock& clock, RunFlags& flags, std::ostream& out,
            std::optional<std::chrono::steady_clock::duration> timeLimit, Keep keep = Keep::Nothing);
    ~CliSink() override;

    // The window's text, as Add to Report would take it; empty unless Keep::Text.
    const TextStore& Text() const { return text_; }
    // True once a line could not be written to standard output.
    bool OutputFailed() const { return outputFailed_; }
    // True once the time limit or Ctrl+C stopped a run; ending the run does not clear it.
    bool StoppedRun() const { return stopped_; }

protected:
    bool DoOpen() override;
    void DoClear() override { text_.Clear(); }
    bool DoAddLine(std::string_view text) override;
    bool DoAddBlock(std::string_view lines) override;
    void DoFinish() override {}
    void DoStartLongRun() override;
    void DoPoll() override;

private:
    void KeepLine(std::string_view line);

    std::ostream& out_;
    std::optional<std::chrono::steady_clock::duration> timeLimit_;
    std::chrono::steady_clock::time_point deadline_{};
    bool keep_;
    TextStore text_;
    bool outputFailed_ = false;
    bool stopped_ = false;
    bool interruptInstalled_ = false;
};

} // namespace plax::cli
