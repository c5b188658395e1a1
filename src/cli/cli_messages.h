#pragma once

#include "model/user_messages.h"

#include <ostream>
#include <string>

namespace plax::cli {

// Messages go to standard error, each "\r\n" as a line break. Questions are answered from the
// command line: Yes with --yes, otherwise No, and the question is printed either way.
class CliMessages : public UserMessages {
public:
    CliMessages(std::ostream& err, bool answerYes) : err_(err), answerYes_(answerYes) {}

    void Warning(const std::string& text) override { Print(text); }
    void Error(const std::string& text) override { Print(text); }
    void Information(const std::string& text) override { Print(text); }
    bool Confirm(const std::string& text) override;

private:
    void Print(const std::string& text);

    std::ostream& err_;
    bool answerYes_;
};

// The last word of any command whose standard output could not be written.
inline constexpr const char* OutputFailedMessage = "plax-cli: standard output cannot be written";

// "\r\n" (and a lone "\r") become "\n"; trailing blanks of each line stay as they are.
std::string PlainLines(const std::string& text);

} // namespace plax::cli
