#include "results_sink.h"

#include "procedure_texts.h"

#include "model/net_store.h"
#include "model/text_utils.h"

#include <ctime>
#include <new>

namespace plax {

namespace {

std::string LocalTime(const char* format) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[64];
    return std::string(buf, std::strftime(buf, sizeof buf, format, &local));
}

} // namespace

std::string Clock::Time() const { return LocalTime("%H:%M"); }
std::string Clock::Date() const { return LocalTime("%d.%m.%Y"); }

bool ResultsSink::OpenResults(const std::string& netName, const std::string& fileName,
                              UserMessages& messages) {
    netName_ = netName;
    fileName_ = fileName;
    textStop_ = TextStore::Status::Ok;
    if (!DoOpen()) {
        messages.Warning(CannotCreateWindowMessage);
        return false;
    }
    return true;
}

void ResultsSink::AddLine(std::string_view text) {
    if (blockSize_ != 0) Flush();
    if (!DoAddLine(text)) throw ResultsWriteFailed();
}

char* ResultsSink::ListingRoom() {
    if (!block_) {
        block_ = std::make_unique_for_overwrite<char[]>(BlockBytes + ListingRoomBytes);
        lastBlock_ = std::chrono::steady_clock::now();
    }
    return block_.get() + blockSize_;
}

void ResultsSink::Flush() {
    if (blockSize_ == 0) return;
    const bool written = DoAddBlock({block_.get(), blockSize_});
    blockSize_ = 0;
    lastBlock_ = std::chrono::steady_clock::now();
    if (!written) throw ResultsWriteFailed();
}

// Twenty blocks a second keep a window current; a block at every poll would cost a write each.
void ResultsSink::BeforePoll() {
    constexpr auto Moment = std::chrono::milliseconds(50);
    if (blockSize_ != 0 && std::chrono::steady_clock::now() - lastBlock_ >= Moment) Flush();
}

bool ResultsSink::DoAddBlock(std::string_view lines) {
    for (std::size_t start = 0; start < lines.size();) {
        const std::size_t end = lines.find('\n', start);
        if (end == std::string_view::npos) return DoAddLine(lines.substr(start));
        if (!DoAddLine(lines.substr(start, end - start))) return false;
        start = end + 1;
    }
    return true;
}

void ResultsSink::WriteReportHeader(std::string_view title, const NetWorkType& net) {
    blockSize_ = 0;
    DoClear();
    AddLine({});
    AddLine(title);
    WriteHeaderBlock(net);
}

void ResultsSink::BeginAccount(const std::vector<std::string>& lines) {
    blockSize_ = 0;
    DoClear();
    for (const std::string& line : lines)
        AddLine(line);
}

void ResultsSink::WriteHeaderBlock(const NetWorkType& net) {
    std::string& line = line_;
    line.assign("                Time : ").append(clock_.Time());
    AddLine(line);
    line.assign("                Date : ").append(clock_.Date());
    AddLine(line);
    line.assign("             NetWork : ").append(netName_);
    AddLine(line);
    line.assign("                Type : ").append(net.kindName);
    if (line.size() > 35) line.resize(35);
    AddLine(line);
    line.assign("    Number of Points : ");
    AppendRightAligned(line, net.n, 0);
    AddLine(line);
    line.assign("    Number of Edges  : ");
    AppendRightAligned(line, EdgeCount(net), 0);
    AddLine(line);
    line.clear();
    AddLine(line);
    line.assign("    ").append(45, '-');
    AddLine(line);
    line.clear();
    AddLine(line);
}

void ResultsSink::FinishResults() {
    // The account has handed on its lines by now (WriteAccountOwnEnding flushes); a listing's
    // buffer is given back.
    block_.reset();
    blockSize_ = 0;
    DoFinish();
}

namespace {

void ReportTextStop(const ResultsSink& sink, UserMessages& messages) {
    if (sink.TextStop() != TextStore::Status::Ok) messages.Warning(TextStoreStopText(sink.TextStop()));
}

// A run the memory gave out under ends as a stopped one, saying why; the search's own memory is
// freed by then, so the lines fit.
void EndForMemory(ResultsSink& sink, UserMessages& messages) {
    try {
        sink.AddLine("    The memory ran out; the run ended as if Stop had been pressed.");
        sink.AddLine(ProcedureTerminatedLine);
    } catch (const ResultsWriteFailed&) {
        messages.Warning(CannotWriteResultsMessage);
    } catch (const std::bad_alloc&) {
        messages.Warning(CannotWriteResultsMessage);
    }
}

} // namespace

void WriteAccountOwnEnding(ResultsSink& sink, UserMessages& messages, AccountBody body) {
    try {
        body();
        sink.Flush();
    } catch (const ResultsWriteFailed&) {
        messages.Warning(CannotWriteResultsMessage);
    } catch (const std::bad_alloc&) {
        EndForMemory(sink, messages);
    }
    ReportTextStop(sink, messages);
    sink.FinishResults();
}

void WriteAccount(ResultsSink& sink, UserMessages& messages, AccountBody body) {
    WriteAccountOwnEnding(sink, messages, [&] {
        body();
        sink.AddLine(ProcedureCompleteLine);
    });
}

} // namespace plax
