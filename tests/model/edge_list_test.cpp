#include "model/edge_list.h"

#include "model/net_store.h"

#include "recording_messages.h"

#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace plax {

namespace {

using plax::testing::ReadAll;
using plax::testing::ScratchDir;
using plax::testing::WriteAll;

using plax::testing::RecordingMessages;
using Call = RecordingMessages::Call;

const std::string Tail = "\"0\",\"0\",\"0\"\r\n";

NetWorkType MakeNet(std::uint16_t kind, int n) {
    NetWorkType net;
    NetInit(net);
    SetNetKind(net, kind);
    net.n = static_cast<std::uint8_t>(n);
    for (int i = 1; i <= n; ++i)
        net.points[static_cast<std::size_t>(i)].name = "P" + std::to_string(i);
    return net;
}

void AddEdge(NetWorkType& net, int from, int to, double weight) {
    EdgeType e;
    e.weight = weight;
    e.lineWidth = 1;
    ASSERT_TRUE(InsertEdge(net, from, to, e));
}

} // namespace

TEST(EdgeList, EmptyNetGivesCountAndQuotedZeros) {
    const NetWorkType net = MakeNet(DirNetCode, 0);
    EXPECT_EQ(EdgeListText(net), "0\r\n\"0\",\"0\",\"0\"\r\n");
    EXPECT_EQ(Tail.size(), 13u); // eleven characters and CR LF
    // Points without edges give no lines either.
    EXPECT_EQ(EdgeListText(MakeNet(UndirNetCode, 3)), "3\r\n" + Tail);
}

TEST(EdgeList, DirectedPairsInRowOrderWithTrimmedWeights) {
    NetWorkType net = MakeNet(DirNetCode, 2);
    AddEdge(net, 2, 1, 0.25);
    AddEdge(net, 1, 2, 1.5);
    EXPECT_EQ(EdgeListText(net), "2\r\n1,2,1.5\r\n2,1,0.25\r\n" + Tail);

    // The order is by source, then target, whatever the list order; numbers above 9 are
    // written in full.
    NetWorkType big = MakeNet(DirNetCode, 12);
    AddEdge(big, 12, 10, 1.0E38);
    AddEdge(big, 10, 12, 3);
    AddEdge(big, 1, 11, 0.00004);
    AddEdge(big, 1, 2, 12.34567);
    AddEdge(big, 10, 3, 7.5);
    EXPECT_EQ(EdgeListText(big), "12\r\n"
                                 "1,2,12.3457\r\n"
                                 "1,11,0\r\n"
                                 "10,3,7.5\r\n"
                                 "10,12,3\r\n"
                                 "12,10,1" +
                                     std::string(38, '0') + "\r\n" + Tail);
}

TEST(EdgeList, UndirectedEdgeAppearsBothWays) {
    NetWorkType net = MakeNet(UndirNetCode, 3);
    AddEdge(net, 3, 1, 2.5);
    AddEdge(net, 2, 3, 7);
    EXPECT_EQ(EdgeListText(net), "3\r\n1,3,2.5\r\n2,3,7\r\n3,1,2.5\r\n3,2,7\r\n" + Tail);
}

TEST(EdgeList, SaveReplacesWithoutAskingAndReportsACreateFailure) {
    ScratchDir dir;
    NetWorkType net = MakeNet(DirNetCode, 2);
    AddEdge(net, 1, 2, 4);

    const std::string path = dir.File("edges.txt");
    {
        std::ofstream old(path, std::ios::binary);
        old << std::string(500, 'x'); // longer than the new text
    }
    RecordingMessages messages(false);
    EXPECT_TRUE(SaveEdgeList(net, path, messages));
    EXPECT_TRUE(messages.calls.empty());
    EXPECT_EQ(ReadAll(path), "2\r\n1,2,4\r\n" + Tail);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"edges.txt"});

    const std::string missing = dir.File("no_such_dir") + "/edges.txt";
    RecordingMessages failed;
    EXPECT_FALSE(SaveEdgeList(net, missing, failed));
    EXPECT_EQ(failed.calls, (std::vector<Call>{{"error", " Cannot create the File.\r\n" + missing}}));
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"edges.txt"});

    // A directory in the file's place cannot be created as a file either.
    const std::string taken = dir.File("taken.txt");
    std::filesystem::create_directory(taken);
    RecordingMessages blocked;
    EXPECT_FALSE(SaveEdgeList(net, taken, blocked));
    EXPECT_EQ(blocked.calls, (std::vector<Call>{{"error", " Cannot create the File.\r\n" + taken}}));
    EXPECT_TRUE(std::filesystem::is_directory(taken));
}

} // namespace plax
