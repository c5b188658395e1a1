#pragma once

#include "test_host.h"

#include "view/command_state.h"
#include "view/document_context.h"
#include "view/net_history.h"

#include <string>
#include <vector>

namespace plax::testing {

// A document for menu-command tests: its net, a TestHost frame, and a command machine that
// records what the commands arm, prompt, reset and repaint.
class TestDocument : public DocumentContext, public CommandMachine {
public:
    NetWorkType& Net() override { return net; }
    const std::string& FileName() const override { return fileName; }
    bool IsSubNet() const override { return !level.empty(); }
    std::vector<std::pair<int, int>> Level() const override { return level; }
    DocumentHost& Host() override { return host; }
    void ResetCommand() override {
        ++resets;
        armed = Command::None;
        first = 0;
    }
    void ShowPrompt(const std::string& prompt) override { prompts.push_back(prompt); }
    // A change is applied as the document applies it, and counted with the repaint and the
    // re-enabling the document's signals bring.
    void Edit(const std::string& text, const std::function<void(NetWorkType&)>& change) override {
        const NetWorkType before = net;
        change(net);
        if (SameLevelContent(before, net)) return;
        edits.push_back(text);
        ++repaints;
        ++enablings;
    }
    void Notify(ShownChange what) override {
        if (what != ShownChange::Enabling) ++repaints;
        if (what == ShownChange::View || what == ShownChange::Enabling) ++enablings;
    }

    Command Armed() const override { return armed; }
    void Arm(Command c, const std::string& prompt) override {
        armed = c;
        first = 0;
        prompts.push_back(prompt);
    }
    int FirstPoint() const override { return first; }
    void SetFirstPoint(int p) override { first = p; }
    void Beep() override { ++beeps; }

    NetWorkType net;
    std::string fileName = "/tmp/road.net";
    std::vector<std::pair<int, int>> level;
    TestHost host;
    Command armed = Command::None;
    int first = 0;
    int beeps = 0;
    int resets = 0;
    int repaints = 0;
    int enablings = 0;
    std::vector<std::string> prompts;
    std::vector<std::string> edits;
};

} // namespace plax::testing
