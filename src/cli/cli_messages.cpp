#include "cli_messages.h"

namespace plax::cli {

std::string PlainLines(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out.push_back('\n');
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

void CliMessages::Print(const std::string& text) { err_ << PlainLines(text) << '\n'; }

bool CliMessages::Confirm(const std::string& text) {
    err_ << PlainLines(text) << (answerYes_ ? " Yes" : " No (give --yes to answer Yes)") << '\n';
    return answerYes_;
}

} // namespace plax::cli
