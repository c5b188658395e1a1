#pragma once

#include "scripted_dialogs.h"

#include "view/document_host.h"
#include "view/frame_actions.h"

#include "accounts/results_sink.h"
#include "model/net_store.h"

#include <QAction>
#include <QObject>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace plax::testing {

// A frame for document tests: Results windows are line collectors, dialogs are scripted, and
// every request to the frame is recorded.
class TestHost : public DocumentHost {
public:
    TestHost() {
        NetInit(state.clipboard);
        state.clock = std::make_shared<FixedClock>("12:00", "01.01.2027");
        // The frame's actions record what they are asked.
        const auto make = [this](const char* name, const char* request) {
            auto* action = new QAction(QString::fromLatin1(name), &actionOwner);
            action->setObjectName(QString::fromLatin1(name));
            QObject::connect(action, &QAction::triggered, [this, request] { requests.push_back(request); });
            return action;
        };
        frameActions = {make("New1", "new"),
                        make("NewFromTemplate1", "new from template"),
                        make("Open1", "open"),
                        make("Recent1", "recent"),
                        make("Close1", "close"),
                        make("Import1", "import"),
                        make("Options1", "options"),
                        make("Exit1", "exit"),
                        make("Undo1", "undo"),
                        make("Redo1", "redo"),
                        make("UndoHistory1", "history"),
                        make("Toolbar1", "toolbar"),
                        make("OptionsPallete", "options palette"),
                        make("AlignePallete", "align palette")};
    }

    ProgramState& State() override { return state; }
    Dialogs& Ui() override { return dialogs; }
    ResultsSink& NewResultsWindow() override {
        results.push_back(std::make_unique<LineSink>(*state.clock, state.run));
        return *results.back();
    }
    bool AskKShortestPaths(KShortestParameters& parameters) override {
        requests.push_back("k paths");
        if (!kPaths) return false;
        parameters = *kPaths;
        return true;
    }
    bool AskAutoRun(AutoRunParameters& parameters) override {
        requests.push_back("auto run");
        if (!autoRun) return false;
        parameters = *autoRun;
        return true;
    }
    bool AskMarkingBound(std::uint64_t& bound) override {
        requests.push_back("marking bound");
        if (!markingBound) return false;
        bound = *markingBound;
        return true;
    }
    void ShowSimulationProcess(SimulationCommands&) override { requests.push_back("simulation process"); }
    // The point and edge dialogs answer through `editPoint` and `editEdge`: what the user does
    // to the copy, and whether he then presses OK. Without one, the dialog is cancelled.
    std::optional<PointType> EditPoint(const PointDialogState& s) override {
        requests.push_back("point dialog " + std::to_string(s.number));
        PointDialogState copy = s;
        if (!editPoint || !editPoint(copy)) return std::nullopt;
        return copy.point;
    }
    std::optional<EdgeDialogState> EditEdge(const EdgeDialogState& s) override {
        requests.push_back("edge dialog " + EdgeTitle(s));
        EdgeDialogState copy = s;
        if (!editEdge || !editEdge(copy)) return std::nullopt;
        return copy;
    }
    void OpenReportWindow(const std::string& path) override { requests.push_back("report " + path); }
    void ShowGanttChart(const std::vector<GanttBar>& bars) override {
        gantt = bars;
        requests.push_back("gantt");
    }
    const FrameActions& Actions() const override { return frameActions; }
    void ShowHelp(const std::string& topic) override { requests.push_back("help " + topic); }
    void ShowHint(const std::string& hint) override { hints.push_back(hint); }
    void DocumentClosed(TMDIChild&) override { requests.push_back("closed"); }

    // The lines of the last Results window, or none.
    std::vector<std::string> LastResults() const {
        return results.empty() ? std::vector<std::string>{} : results.back()->Lines();
    }

    ProgramState state;
    ScriptedDialogs dialogs;
    std::vector<std::unique_ptr<LineSink>> results;
    std::vector<std::string> requests;
    std::vector<std::string> hints;
    std::vector<GanttBar> gantt;
    QObject actionOwner;
    FrameActions frameActions;
    // The k shortest paths dialog's answer; nothing = Cancel.
    std::optional<KShortestParameters> kPaths = KShortestParameters{};
    // The automatic simulation dialog's answer; nothing = Cancel.
    std::optional<AutoRunParameters> autoRun = AutoRunParameters{};
    std::optional<std::uint64_t> markingBound = DefaultMaxMarkings;
    std::function<bool(PointDialogState&)> editPoint;
    std::function<bool(EdgeDialogState&)> editEdge;
};

} // namespace plax::testing
