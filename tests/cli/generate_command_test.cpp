#include "cli_run.h"
#include "recording_messages.h"
#include "scratch_dir.h"

#include "model/net_file.h"
#include "model/net_store.h"

#include <gtest/gtest.h>

namespace plax {
namespace {

using testing::RunPlaxCli;
using testing::ScratchDir;

TEST(CliGenerate, WritesTheNetAndRefusesWhatDoesNotFit) {
    ScratchDir dir;
    const std::string out = dir.File("pet.net");
    const auto made = RunPlaxCli({"generate", "petersen", out, "--names", "letters"});
    EXPECT_EQ(made.status, 0) << made.err;
    NetWorkType net;
    testing::RecordingMessages messages;
    ASSERT_TRUE(LoadNetFile(net, out, OptionType{}, messages));
    EXPECT_EQ(net.n, 10);
    EXPECT_EQ(EdgeCount(net), 15);
    EXPECT_EQ(net.points[1].name, "A");

    const auto weighted = RunPlaxCli({"generate", "gnm", dir.File("g.net"), "--n", "6", "--m", "7",
                                      "--directed", "--seed", "5", "--weights", "random", "--range", "3:3"});
    EXPECT_EQ(weighted.status, 0) << weighted.err;
    ASSERT_TRUE(LoadNetFile(net, dir.File("g.net"), OptionType{}, messages));
    EXPECT_EQ(net.kindName, "dirNet");
    EXPECT_EQ(EdgeCount(net), 7);
    for (int i = 1; i <= net.n; ++i)
        for (const EdgeType& e : net.lists[static_cast<std::size_t>(i)])
            EXPECT_EQ(e.weight, 3.0);

    const std::vector<std::pair<std::vector<std::string>, std::pair<int, std::string>>> cases = {
        {{"generate", "complete", dir.File("k.net"), "--n", "16"},
         {1, "K16 would have 16 points; Plax holds at most 15\n"}},
        {{"generate", "gnp", dir.File("k.net"), "--p", "x"}, {2, "plax-cli: --p takes a number\n"}},
        {{"generate", "blob", dir.File("k.net")}, {2, "plax-cli: unknown kind blob\n"}},
        {{"generate", "path", dir.File("k.net"), "--weights", "heavy"},
         {2, "plax-cli: --weights takes constant, random or euclidean\n"}},
        {{"generate", "path", dir.File("k.net"), "--range", "5"},
         {2, "plax-cli: --range takes two whole numbers as A:B\n"}},
        {{"generate", "path", dir.File("k.png")},
         {2, "plax-cli: " + dir.File("k.png") +
                 ": cannot write .png; known extensions: .net .kp .graphml .json .dot .gv .txt .edgelist .gml .gexf .paj .g6 .d6 .csv .adjlist .pnml\n"}},
    };
    for (const auto& [args, expected] : cases) {
        const auto r = RunPlaxCli(args);
        EXPECT_EQ(r.status, expected.first) << args[1];
        EXPECT_EQ(r.err, expected.second);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("k.net")));
}

} // namespace
} // namespace plax
