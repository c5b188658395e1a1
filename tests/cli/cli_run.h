#pragma once

// Runs plax-cli in-process and collects its status and both output streams.
#include "cli/cli.h"

#include "model/net_file.h"
#include "model/user_messages.h"

#include "net_builders.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace plax::testing {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

inline CliRun RunPlaxCli(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::RunCli(args, out, err);
    return {status, out.str(), err.str()};
}

// The Results header as plax-cli prints it with --time 12:00 --date 08.12.2026.
inline std::string PrintedHeader(const std::string& title, const std::string& name, const std::string& type,
                                 int points, int edges) {
    std::string text;
    for (const std::string& line : ResultsHeader(title, name, type, points, edges))
        text += line + "\n";
    return text;
}

inline void SaveTestNet(const NetWorkType& net, const std::string& path) {
    SilentMessages messages;
    ASSERT_TRUE(SaveNetFile(net, path, messages));
}

} // namespace plax::testing
