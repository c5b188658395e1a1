#pragma once

#include "model/user_messages.h"

#include <string>
#include <vector>

namespace plax::testing {

// Records every message and question; questions get `answer`.
class RecordingMessages : public UserMessages {
public:
    struct Call {
        std::string kind; // "warning", "error", "information", "confirm"
        std::string text;
        bool operator==(const Call&) const = default;
    };

    explicit RecordingMessages(bool answer = false) : answer(answer) {}

    void Warning(const std::string& text) override { calls.push_back({"warning", text}); }
    void Error(const std::string& text) override { calls.push_back({"error", text}); }
    void Information(const std::string& text) override { calls.push_back({"information", text}); }
    bool Confirm(const std::string& text) override {
        calls.push_back({"confirm", text});
        return answer;
    }

    bool answer;
    std::vector<Call> calls;
};

} // namespace plax::testing
