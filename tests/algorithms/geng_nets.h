#pragma once

#include "net_builders.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace plax::testing {

// The graphs nauty's geng lists for `n` points, one of each isomorphism class, read from graph6:
// n + 63, then the upper triangle column by column, six bits a character. Empty when geng is
// missing.
inline std::vector<NetWorkType> GengNets(int n) {
    std::vector<NetWorkType> nets;
    const std::string command = "nauty-geng -q " + std::to_string(n) + " 2>/dev/null";
    const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) return nets;
    std::array<char, 64> line{};
    while (std::fgets(line.data(), static_cast<int>(line.size()), pipe.get()) != nullptr) {
        EXPECT_EQ(line[0] - 63, n);
        NetWorkType net = MakeNet(UndirNetCode, n, "geng");
        int bit = 0;
        for (int j = 2; j <= n; ++j) {
            for (int i = 1; i < j; ++i, ++bit) {
                const int six = line[static_cast<std::size_t>(1 + bit / 6)] - 63;
                if (((six >> (5 - bit % 6)) & 1) != 0) Connect(net, i, j);
            }
        }
        nets.push_back(std::move(net));
    }
    return nets;
}

} // namespace plax::testing
