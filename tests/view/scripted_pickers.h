#pragma once

#include "view/options_command.h"
#include "view/pickers.h"

#include <deque>
#include <functional>
#include <optional>
#include <utility>

namespace plax::testing {

// Colour and font dialogs that answer from queues; an empty queue cancels.
class ScriptedPickers : public Pickers {
public:
    std::optional<Color> AskColor(Color /*initial*/) override { return Next(colors); }
    std::optional<QFont> AskFont(const QFont& /*initial*/) override { return Next(fonts); }

    std::deque<std::optional<Color>> colors;
    std::deque<std::optional<QFont>> fonts;

private:
    template <class T> static std::optional<T> Next(std::deque<std::optional<T>>& queue) {
        if (queue.empty()) return std::nullopt;
        auto answer = std::move(queue.front());
        queue.pop_front();
        return answer;
    }
};

// An Options dialog that hands the copy to a script; the script's answer is OK or Cancel.
class ScriptedOptionsDialog : public OptionsDialog {
public:
    explicit ScriptedOptionsDialog(std::function<bool(OptionsEdit&)> script) : script_(std::move(script)) {}
    bool Run(OptionsEdit& edit) override {
        opened = edit;
        return script_(edit);
    }

    OptionsEdit opened; // what the dialog was opened on

private:
    std::function<bool(OptionsEdit&)> script_;
};

} // namespace plax::testing
