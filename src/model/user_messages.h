#pragma once

#include <string>

namespace plax {

// How the plain layers reach the user. The desktop program shows modal message boxes, the
// command-line tool prints to standard error, and tests record the calls.
class UserMessages {
public:
    virtual ~UserMessages() = default;
    virtual void Warning(const std::string& text) = 0;
    virtual void Error(const std::string& text) = 0;
    virtual void Information(const std::string& text) = 0;
    virtual bool Confirm(const std::string& text) = 0;
};

// Shows nothing and gives one fixed answer: for batch work that only wants the outcome.
class SilentMessages : public UserMessages {
public:
    explicit SilentMessages(bool answer = false) : answer_(answer) {}
    void Warning(const std::string&) override {}
    void Error(const std::string&) override {}
    void Information(const std::string&) override {}
    bool Confirm(const std::string&) override { return answer_; }

private:
    bool answer_;
};

} // namespace plax
