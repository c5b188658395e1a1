#pragma once

#include "view/dialogs.h"

#include <QPrinter>

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace plax::testing {

// Dialogs that record every message and question and answer from a script: questions take the
// next queued answer (or `answer` when none is queued), file dialogs the next queued path
// (nothing = cancel), the print dialog prints into `printFile` as PDF (cancel when empty).
class ScriptedDialogs : public Dialogs {
public:
    struct Call {
        std::string
            kind; // "warning", "error", "information", "confirm", "ask", "save", "open", "print", "scale", "beep"
        std::string text;
        bool operator==(const Call&) const = default;
    };

    void Warning(const std::string& text) override { calls.push_back({"warning", text}); }
    void Error(const std::string& text) override { calls.push_back({"error", text}); }
    void Information(const std::string& text) override { calls.push_back({"information", text}); }
    bool Confirm(const std::string& text) override {
        calls.push_back({"confirm", text});
        return Next() == Answer::Yes;
    }
    Answer Ask(const std::string& text, const std::string& caption) override {
        calls.push_back({"ask", caption + ": " + text});
        return Next();
    }
    std::optional<std::string> AskSavePath(const std::string& filter, const std::string& /*defaultExtension*/,
                                           const std::string& /*suggested*/) override {
        calls.push_back({"save", filter});
        return NextPath();
    }
    std::optional<std::string> AskOpenPath(const std::string& filter) override {
        calls.push_back({"open", filter});
        return NextPath();
    }
    bool AskPrinter(QPrinter& printer) override {
        calls.push_back({"print", printFile});
        if (printFile.empty()) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(printFile));
        return true;
    }
    bool AskPrinterSetup(QPrinter& printer) override { return AskPrinter(printer); }
    // The next queued scale (nothing = cancel), or 1 when none is queued.
    std::optional<double> AskPictureScale(double largest) override {
        calls.push_back({"scale", std::to_string(largest)});
        if (scales.empty()) return 1.0;
        const auto s = scales.front();
        scales.pop_front();
        return s;
    }
    void Beep() override { calls.push_back({"beep", ""}); }

    // The texts of the calls of one kind, in order.
    std::vector<std::string> Texts(const std::string& kind) const {
        std::vector<std::string> out;
        for (const auto& c : calls)
            if (c.kind == kind) out.push_back(c.text);
        return out;
    }

    Answer answer = Answer::Yes;
    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> paths;
    std::deque<std::optional<double>> scales;
    std::string printFile;
    std::vector<Call> calls;

private:
    Answer Next() {
        if (answers.empty()) return answer;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<std::string> NextPath() {
        if (paths.empty()) return std::nullopt;
        auto p = paths.front();
        paths.pop_front();
        return p;
    }
};

} // namespace plax::testing
