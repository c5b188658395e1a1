#pragma once

// A frame for the benches that run the desktop's windows without one: its dialogs answer No
// and Cancel, and its messages go to standard error.
#include "view/document_host.h"

#include "model/net_store.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace plax::bench {

class SilentDialogs : public Dialogs {
public:
    void Warning(const std::string& text) override { std::fprintf(stderr, "warning: %s\n", text.c_str()); }
    void Error(const std::string& text) override { std::fprintf(stderr, "error: %s\n", text.c_str()); }
    void Information(const std::string&) override {}
    bool Confirm(const std::string&) override { return false; }
    Answer Ask(const std::string&, const std::string&) override { return Answer::No; }
    std::optional<std::string> AskSavePath(const std::string&, const std::string&,
                                           const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> AskOpenPath(const std::string&) override { return std::nullopt; }
    bool AskPrinter(QPrinter&) override { return false; }
    bool AskPrinterSetup(QPrinter&) override { return false; }
    void Beep() override {}
};

class BenchHost : public DocumentHost {
public:
    ProgramState& State() override { return state_; }
    Dialogs& Ui() override { return dialogs_; }
    ResultsSink& NewResultsWindow() override { std::abort(); }
    void ShowGanttChart(const std::vector<GanttBar>&) override {}
    void OpenReportWindow(const std::string&) override {}
    // No window of the benches offers the frame's commands.
    const FrameActions& Actions() const override { return actions_; }
    void ShowHelp(const std::string&) override {}
    bool AskKShortestPaths(KShortestParameters&) override { return false; }
    bool AskAutoRun(AutoRunParameters&) override { return false; }
    bool AskMarkingBound(std::uint64_t&) override { return false; }
    void ShowSimulationProcess(SimulationCommands&) override {}
    std::optional<PointType> EditPoint(const PointDialogState&) override { return std::nullopt; }
    std::optional<EdgeDialogState> EditEdge(const EdgeDialogState&) override { return std::nullopt; }
    void ShowHint(const std::string&) override {}
    void DocumentClosed(TMDIChild&) override {}

private:
    ProgramState state_;
    SilentDialogs dialogs_;
    FrameActions actions_;
};

} // namespace plax::bench
