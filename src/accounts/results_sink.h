#pragma once

#include "model/net_types.h"
#include "model/user_messages.h"
#include "algorithms/run_control.h"
#include "accounts/text_store.h"

#include <chrono>
#include <functional>
#include <memory>
#include <type_traits>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace plax {

// The time and date written into every Results header, in the short formats of the system.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::string Time() const; // "14:05"
    virtual std::string Date() const; // "08.12.2026"
};

// A clock that shows fixed texts where it was given them and the real time elsewhere.
class FixedClock : public Clock {
public:
    FixedClock(std::string time, std::string date) : time_(std::move(time)), date_(std::move(date)) {}
    std::string Time() const override { return time_.empty() ? Clock::Time() : time_; }
    std::string Date() const override { return date_.empty() ? Clock::Date() : date_; }

private:
    std::string time_;
    std::string date_;
};

// Thrown by AddLine when the Results text cannot take another line; WriteAccount catches it.
class ResultsWriteFailed : public std::runtime_error {
public:
    ResultsWriteFailed() : std::runtime_error("Results text cannot be written") {}
};

// Where a procedure writes its account: the Results window on the desktop, standard output in
// plax-cli, a list of lines in tests. Procedures call the public steps in this order:
// OpenResults, WriteReportHeader, AddLine..., FinishResults (through WriteAccount). Every front
// end that shows an account also runs it, so a sink is the run's control as well; the searches
// see only that RunControl side.
class ResultsSink : public RunControl {
public:
    ResultsSink(const Clock& clock, RunFlags& flags) : RunControl(flags), clock_(clock) {}

    // Shows " Cannot create the Window..." and answers false when no window can be made.
    bool OpenResults(const std::string& netName, const std::string& fileName, UserMessages& messages);
    void AddLine(std::string_view text);

    // A listing writes millions of lines: it formats them, each ending in "\n", straight into
    // ListingRoom() (at least ListingRoomBytes bytes) and then calls LinesWritten with the end of
    // what it wrote. The sink hands them on in blocks of about a megabyte, before any other line,
    // at the end of the account, and at a poll once a moment has passed since the last block, so
    // a window still shows each find soon after it is made. A block that cannot be written ends
    // the account as a line does.
    static constexpr std::size_t ListingRoomBytes = std::size_t{64} << 10;
    char* ListingRoom();
    void LinesWritten(char* end) {
        blockSize_ = static_cast<std::size_t>(end - block_.get());
        if (blockSize_ >= BlockBytes) Flush();
    }
    void Flush();

    // A line buffer kept from one account to the next, for a writer to build its lines in
    // without allocating; the header builds its own lines in it, so each line is written
    // before the next is begun.
    std::string& ScratchLine() { return line_; }
    // The empty line, the title and the nine labelled lines that open every account.
    void WriteReportHeader(std::string_view title, const NetWorkType& net);
    // For accounts with titles of their own: clears the text and writes `lines` as its first lines.
    void BeginAccount(const std::vector<std::string>& lines);
    // The nine labelled lines alone: time, date, net, type, points, edges, and the rule between
    // empty lines.
    void WriteHeaderBlock(const NetWorkType& net);
    void FinishResults();

    const std::string& NetName() const { return netName_; }
    const std::string& FileName() const { return fileName_; }
    // Why the text could not take every line of this run (Ok when it could).
    TextStore::Status TextStop() const { return textStop_; }

protected:
    // A sink whose text store refuses a line calls this: the run stops at its next poll as if
    // Stop had been pressed, and the reason is shown when the account ends.
    void StopForText(TextStore::Status status) {
        if (textStop_ == TextStore::Status::Ok) textStop_ = status;
    }

    virtual bool DoOpen() = 0;
    virtual void DoClear() = 0;
    virtual bool DoAddLine(std::string_view text) = 0;
    // Lines, each ending in "\n"; a sink that can take them whole does so, the others line by line.
    virtual bool DoAddBlock(std::string_view lines);
    virtual void DoFinish() = 0;

private:
    static constexpr std::size_t BlockBytes = std::size_t{1} << 20;

    bool StopHolds() const final { return textStop_ != TextStore::Status::Ok; }
    void BeforePoll() final;

    const Clock& clock_;
    std::string netName_;
    std::string fileName_;
    TextStore::Status textStop_ = TextStore::Status::Ok;
    std::unique_ptr<char[]> block_; // listing lines not yet handed on: blockSize_ bytes
    std::size_t blockSize_ = 0;
    std::chrono::steady_clock::time_point lastBlock_{};
    std::string line_;  // the header's line, kept from one account to the next
};

// Where a procedure reports: its Results sink and the user's message boxes.
struct ProcedureOutput {
    ResultsSink& sink;
    UserMessages& messages;
};

// The writing part of a procedure, called while its caller waits: it refers to the callable
// instead of copying it, so an account costs no allocation for it.
class AccountBody {
public:
    template <class F>
        requires(!std::is_same_v<std::remove_cvref_t<F>, AccountBody>)
    AccountBody(F&& f) // implicit: a lambda is passed as it stands
        : object_(const_cast<void*>(static_cast<const void*>(std::addressof(f)))),
          call_([](void* object) { (*static_cast<std::remove_reference_t<F>*>(object))(); }) {}

    void operator()() const { call_(object_); }

private:
    void* object_;
    void (*call_)(void*);
};

// Runs the writing part of a procedure: `body` writes the header and the account, then the
// completion line follows. When a line cannot be written the rest is skipped and the user told;
// the window is finished either way.
void WriteAccount(ResultsSink& sink, UserMessages& messages, AccountBody body);

// As WriteAccount for accounts that write their own ending, since some of them end without the
// completion line.
void WriteAccountOwnEnding(ResultsSink& sink, UserMessages& messages, AccountBody body);

// A sink that only collects the lines; the base of the test and command-line sinks.
class LineSink : public ResultsSink {
public:
    using ResultsSink::ResultsSink;
    const std::vector<std::string>& Lines() const { return lines_; }
    bool Finished() const { return finished_; }

protected:
    bool DoOpen() override {
        lines_.assign(1, std::string());
        finished_ = false;
        return true;
    }
    void DoClear() override { lines_.clear(); }
    bool DoAddLine(std::string_view text) override {
        lines_.emplace_back(text);
        return true;
    }
    void DoFinish() override { finished_ = true; }

private:
    std::vector<std::string> lines_;
    bool finished_ = false;
};

} // namespace plax
