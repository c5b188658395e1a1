#include "cli/cli.h"

#include "cli_run.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace plax {
namespace {

using testing::ReadAll;
using testing::ScratchDir;

const std::string Road = PLAX_EXAMPLES_DIR "/road.net";

struct Piped {
    int status;
    std::string out;
    std::string err;
};

Piped WithInput(const std::vector<std::string>& args, const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::RunCli(args, in, out, err);
    return {status, out.str(), err.str()};
}

TEST(CliConventions, OptionsStandardStreamsAndCommandHelp) {
    const std::string path = "    Shortest Path  from Source (1) to Sink (9) has Length : 21.5\n";
    // --opt=value reads as --opt value, and after -- a word is a word even with a dash.
    const auto joined = testing::RunPlaxCli({"run", "shortest-path", "--source=1", "--sink=9", "--", Road});
    EXPECT_EQ(joined.status, 0) << joined.err;
    EXPECT_NE(joined.out.find(path), std::string::npos);

    // A net through standard output as GraphML and back in through standard input.
    const auto graphml = testing::RunPlaxCli({"convert", Road, "-", "--to", "graphml"});
    ASSERT_EQ(graphml.status, 0) << graphml.err;
    EXPECT_EQ(graphml.out.rfind("<?xml", 0), 0u);
    const Piped back = WithInput(
        {"run", "shortest-path", "-", "--from=.graphml", "--source", "1", "--sink", "9"}, graphml.out);
    EXPECT_EQ(back.status, 0) << back.err;
    EXPECT_NE(back.out.find(path), std::string::npos);
    EXPECT_NE(back.out.find("NetWork : road"), std::string::npos) << "the graph's own name";

    const std::vector<std::pair<std::vector<std::string>, std::string>> usage = {
        {{"dump", "-"}, "plax-cli: reading standard input needs --from EXT\n"},
        {{"convert", Road, "-"}, "plax-cli: writing standard output needs --to EXT\n"},
        {{"convert", Road, "out.graphm"},
         "plax-cli: out.graphm: cannot write .graphm; known extensions: .net .kp .graphml .json .dot .gv "
         ".txt .edgelist .gml .gexf .paj .g6 .d6 .csv .adjlist .pnml .bmp .wmf .png .svg .pdf .tex\n"},
        {{"run", "info", Road, "--save", "-"},
         "plax-cli: --save writes a file; standard output carries the text\n"},
    };
    for (const auto& [args, err] : usage) {
        const auto r = testing::RunPlaxCli(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_EQ(r.err, err);
    }

    const auto help = testing::RunPlaxCli({"convert", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: plax-cli convert IN OUT", 0), 0u) << help.out;
    EXPECT_NE(help.out.find("  --to EXT "), std::string::npos);
    EXPECT_EQ(help.out.find("--fire"), std::string::npos) << "petri's options are not convert's";
}

TEST(CliConventions, EveryExistingOutputIsReplacedOnlyWithYes) {
    ScratchDir dir;
    for (const std::string name : {"old.net", "old.graphml", "old.png", "old.txt"}) {
        SCOPED_TRACE(name);
        const std::string out = dir.File(name);
        testing::WriteAll(out, "keep me");
        const auto asked = testing::RunPlaxCli({"convert", Road, out});
        EXPECT_EQ(asked.status, 1);
        EXPECT_EQ(asked.err, "Do you wish to Rewrite file \n" + out + "? No (give --yes to answer Yes)\n");
        EXPECT_EQ(ReadAll(out), "keep me");
        const auto yes = testing::RunPlaxCli({"convert", "--yes", Road, out});
        EXPECT_EQ(yes.status, 0) << yes.err;
        EXPECT_NE(ReadAll(out), "keep me");
    }
    // A .txt holding a net file is still read as one.
    std::filesystem::copy_file(Road, dir.File("net.txt"));
    const auto fromText = testing::RunPlaxCli({"run", "info", dir.File("net.txt")});
    EXPECT_EQ(fromText.status, 0) << fromText.err;
}

} // namespace
} // namespace plax
