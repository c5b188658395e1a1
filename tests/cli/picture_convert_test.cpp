#include "cli/cli.h"

#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace plax {

namespace {

using plax::testing::ReadAll;
using plax::testing::ScratchDir;
using plax::testing::WriteAll;

const std::string Examples = PLAX_EXAMPLES_DIR;

struct ConvertRun {
    int status;
    std::string err;
};

ConvertRun Convert(std::vector<std::string> args) {
    args.insert(args.begin(), "convert");
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::RunCli(args, out, err);
    EXPECT_EQ(out.str(), "");
    return {status, err.str()};
}

std::uint32_t U32(const std::string& b, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t k = 4; k-- > 0;)
        v = v << 8 | static_cast<unsigned char>(b[at + k]);
    return v;
}

// The convert command runs without a display: it starts an offscreen GUI of its own.
TEST(PictureConvert, EveryExampleInEveryPictureFormat) {
    ScratchDir dir;
    const std::vector<std::pair<std::string, std::string>> formats = {
        {"bmp", "BM"}, {"WMF", "\xD7\xCD\xC6\x9A"}, {"png", "\x89PNG"}, {"svg", "<?xml"}, {"Pdf", "%PDF-"}};
    for (const std::string name : {"road", "flow", "project", "railway", "petri"}) {
        for (const auto& [ext, magic] : formats) {
            const std::string out = dir.File(name + "." + ext);
            const ConvertRun r = Convert({Examples + "/" + name + ".net", out, "--show", "names,weights"});
            EXPECT_EQ(r.status, 0) << out << ": " << r.err;
            EXPECT_EQ(r.err, "");
            EXPECT_EQ(ReadAll(out).substr(0, magic.size()), magic) << out;
        }
    }
}

TEST(PictureConvert, SizeAndShownLabels) {
    ScratchDir dir;
    const std::string road = Examples + "/road.net";
    ASSERT_EQ(Convert({road, dir.File("default.bmp")}).status, 0);
    std::string bmp = ReadAll(dir.File("default.bmp"));
    EXPECT_EQ(U32(bmp, 18), 593u); // a new document window's client area
    EXPECT_EQ(U32(bmp, 22), 351u);
    ASSERT_EQ(Convert({road, dir.File("small.bmp"), "--size", "300X200"}).status, 0);
    bmp = ReadAll(dir.File("small.bmp"));
    EXPECT_EQ(U32(bmp, 18), 300u);
    EXPECT_EQ(U32(bmp, 22), 200u);
    // --scale draws the same area larger; --crop fits the picture to what is drawn (two circles
    // of radius 10 at (100, 100) and (300, 100): 90..309 x 90..109, and 10 pixels around).
    WriteAll(dir.File("two.gml"), "graph [ node [ id 0 graphics [ x 100 y 100 ] ] node [ id 1 graphics "
                                  "[ x 300 y 100 ] ] edge [ source 0 target 1 ] ]");
    const std::vector<std::pair<std::vector<std::string>, std::pair<unsigned, unsigned>>> framed = {
        {{road, "--scale", "2"}, {1186, 702}},
        {{road, "--size", "300x200", "--scale", "0.5"}, {150, 100}},
        {{dir.File("two.gml"), "--crop"}, {240, 40}},
        {{dir.File("two.gml"), "--crop", "--scale", "2.5"}, {600, 100}}};
    for (auto [args, size] : framed) {
        args.insert(args.begin() + 1, dir.File("framed.png"));
        args.push_back("--yes");
        ASSERT_EQ(Convert(args).status, 0) << args[2];
        const std::string png = ReadAll(dir.File("framed.png"));
        const auto be32 = [&png](std::size_t at) {
            unsigned value = 0;
            for (std::size_t k = 0; k < 4; ++k)
                value = value << 8 | static_cast<unsigned char>(png[at + k]);
            return value;
        };
        EXPECT_EQ(std::pair(be32(16), be32(20)), size) << args[2]; // IHDR's width and height
    }
    // A loaded net shows no labels; --show adds them.
    ASSERT_EQ(Convert({road, dir.File("names.bmp"), "--show", "names", "--show", "weights"}).status, 0);
    EXPECT_NE(ReadAll(dir.File("names.bmp")), ReadAll(dir.File("default.bmp")));
}

TEST(PictureConvert, WrongOptionsAndFailures) {
    ScratchDir dir;
    const std::string road = Examples + "/road.net";
    for (const std::string size : {"0x10", "10x", "x10", "abc", "2001x5", "10x20x30", "-5x10", "12345x1"}) {
        const ConvertRun r = Convert({road, dir.File("a.png"), "--size", size});
        EXPECT_EQ(r.status, 2) << size;
        EXPECT_NE(r.err.find("--size"), std::string::npos) << size;
    }
    for (const std::vector<std::string>& wrong :
         std::vector<std::vector<std::string>>{{"--scale", "0"},
                                               {"--scale", "10.5"},
                                               {"--scale", "twice"},
                                               {"--crop", "--size", "100x100"},
                                               {"--size", "2000x2000", "--scale", "5"}}) {
        std::vector<std::string> args = {road, dir.File("a.png")};
        args.insert(args.end(), wrong.begin(), wrong.end());
        const ConvertRun r = Convert(args);
        EXPECT_EQ(r.status, 2) << wrong[0];
        EXPECT_NE(r.err, "") << wrong[0];
    }
    EXPECT_EQ(Convert({road, dir.File("a.kp"), "--crop"}).status, 2);
    EXPECT_EQ(Convert({road, dir.File("a.png"), "--show", "names,colours"}).status, 2);
    EXPECT_EQ(Convert({road, dir.File("a.kp"), "--size", "100x100"}).status, 2);
    EXPECT_TRUE(dir.Entries().empty());

    WriteAll(dir.File("bad.net"), "not a net");
    EXPECT_EQ(Convert({dir.File("bad.net"), dir.File("a.png")}).status, 3);

    const std::string missing = dir.File("no/such/dir/a.png");
    const ConvertRun r = Convert({road, missing});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, " Cannot create the File.\n" + missing + "\n");
}

} // namespace

} // namespace plax
