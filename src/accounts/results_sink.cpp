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

void ResultsSink::AddLine(const std::string& text) {
    if (!DoAddLine(text)) throw ResultsWriteFailed();
}

void ResultsSink::WriteReportHeader(const std::string& title, const NetWorkType& net) {
    DoClear();
    AddLine(std::string());
    AddLine(title);
    WriteHeaderBlock(net);
}

void ResultsSink::BeginAccount(const std::vector<std::string>& lines) {
    DoClear();
    for (const std::string& line : lines)
        AddLine(line);
}

void ResultsSink::WriteHeaderBlock(const NetWorkType& net) {
    std::string line;
    line.reserve(64);
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

void ResultsSink::FinishResults() { DoFinish(); }

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

void WriteAccountOwnEnding(ResultsSink& sink, UserMessages& messages, const std::function<void()>& body) {
    try {
        body();
    } catch (const ResultsWriteFailed&) {
        messages.Warning(CannotWriteResultsMessage);
    } catch (const std::bad_alloc&) {
        EndForMemory(sink, messages);
    }
    ReportTextStop(sink, messages);
    sink.FinishResults();
}

void WriteAccount(ResultsSink& sink, UserMessages& messages, const std::function<void()>& body) {
    WriteAccountOwnEnding(sink, messages, [&] {
        body();
        sink.AddLine(ProcedureCompleteLine);
    });
}

} // namespace plax
