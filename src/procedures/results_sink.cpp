#include "results_sink.h"

#include "procedure_texts.h"

#include "model/net_store.h"
#include "model/text_utils.h"

#include <ctime>

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
    BeginAccount({"", title});
    WriteHeaderBlock(net);
}

void ResultsSink::BeginAccount(const std::vector<std::string>& lines) {
    DoClear();
    for (const std::string& line : lines)
        AddLine(line);
}

void ResultsSink::WriteHeaderBlock(const NetWorkType& net) {
    AddLine("                Time : " + clock_.Time());
    AddLine("                Date : " + clock_.Date());
    AddLine("             NetWork : " + netName_);
    AddLine(CutText("                Type : " + net.kindName, 35));
    AddLine("    Number of Points : " + std::to_string(net.n));
    AddLine("    Number of Edges  : " + std::to_string(EdgeCount(net)));
    AddLine("");
    AddLine("    " + std::string(45, '-'));
    AddLine("");
}

void ResultsSink::FinishResults() { DoFinish(); }

namespace {

void ReportTextStop(const ResultsSink& sink, UserMessages& messages) {
    if (sink.TextStop() != TextStore::Status::Ok) messages.Warning(TextStoreStopText(sink.TextStop()));
}

} // namespace

void WriteAccount(ResultsSink& sink, UserMessages& messages, const std::function<void()>& body) {
    try {
        body();
        sink.AddLine(ProcedureCompleteLine);
    } catch (const ResultsWriteFailed&) {
        messages.Warning(CannotWriteResultsMessage);
    }
    ReportTextStop(sink, messages);
    sink.FinishResults();
}

void WriteAccountOwnEnding(ResultsSink& sink, UserMessages& messages, const std::function<void()>& body) {
    try {
        body();
    } catch (const ResultsWriteFailed&) {
        messages.Warning(CannotWriteResultsMessage);
    }
    ReportTextStop(sink, messages);
    sink.FinishResults();
}

} // namespace plax
