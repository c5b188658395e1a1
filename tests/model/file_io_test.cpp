#include "recording_messages.h"
#include "scratch_dir.h"

#include "model/file_io.h"
#include "model/krack_plot.h"
#include "model/net_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace plax {
namespace {

namespace fs = std::filesystem;
using testing::ReadAll;
using testing::RecordingMessages;
using testing::ScratchDir;

TEST(AtomicSave, EveryNameTheFileSystemTakesCanBeSaved) {
    ScratchDir scratch;
    // The longest name of one entry, and a path of exactly 4095 bytes, the most a path may have.
    const std::string longName = scratch.File(std::string(251, 'n') + ".net");
    std::string deep = scratch.Path().string();
    while (deep.size() + 201 + 1 + 20 <= 4095)
        deep += "/" + std::string(200, 'd');
    fs::create_directories(deep);
    const std::string longPath = deep + "/" + std::string(4095 - deep.size() - 1, 'p');
    ASSERT_EQ(longPath.size(), 4095u);

    for (const std::string& path : {longName, longPath}) {
        EXPECT_EQ(WriteFileAtomically(path, "first"), WriteStatus::Ok) << path.size();
        EXPECT_EQ(WriteFileAtomically(path, "second"), WriteStatus::Ok) << path.size();
        std::string back;
        EXPECT_EQ(ReadFileLimited(path, 100, back), ReadStatus::Ok);
        EXPECT_EQ(back, "second");
    }
    EXPECT_EQ(scratch.Entries().size(), 2u) << "no new file left beside the long name";
    EXPECT_EQ(std::distance(fs::directory_iterator(deep), fs::directory_iterator()), 1);
}

// A save killed halfway leaves its new file; the next save in the folder removes it once no
// process has the writer's id, and leaves the files of living writers and of anyone else alone.
TEST(AtomicSave, FilesOfKilledSavesAreRemovedByTheNextSave) {
    ScratchDir scratch;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) ::_exit(0);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    const std::string dead = ".plax-" + std::to_string(child) + "-Ab3xYz";
    const std::string living = ".plax-" + std::to_string(::getppid()) + "-Ab3xYz";
    for (const std::string& name : {dead, living, std::string(".plax-Ab3xYz"), std::string(".plax-notes")})
        ASSERT_EQ(WriteFileAtomically(scratch.File(name), "half"), WriteStatus::Ok);
    ASSERT_EQ(WriteFileAtomically(scratch.File("net.net"), "whole"), WriteStatus::Ok);
    EXPECT_FALSE(fs::exists(scratch.File(dead)));
    EXPECT_TRUE(fs::exists(scratch.File(living)));
    EXPECT_TRUE(fs::exists(scratch.File(".plax-Ab3xYz")));
    EXPECT_TRUE(fs::exists(scratch.File(".plax-notes")));
    EXPECT_EQ(scratch.Entries().size(), 4u) << "the save left nothing of its own";
}

TEST(AtomicSave, SymbolicLinksStayLinks) {
    ScratchDir scratch;
    fs::create_directory(scratch.File("sub"));
    // A dangling link, a chain whose relative steps start from each link's own folder, a link
    // that resolves already, and a loop.
    fs::create_symlink("target.net", scratch.File("dangling.net"));
    fs::create_symlink("sub/hop.net", scratch.File("chain.net"));
    fs::create_symlink("../end.net", scratch.File("sub/hop.net"));
    testing::WriteAll(scratch.File("whole.net"), "old");
    fs::create_symlink(scratch.File("whole.net"), scratch.File("resolved.net"));
    fs::create_symlink("b.net", scratch.File("a.net"));
    fs::create_symlink("a.net", scratch.File("b.net"));

    const struct {
        const char* link;
        const char* target;
    } saves[] = {{"dangling.net", "target.net"}, {"chain.net", "end.net"}, {"resolved.net", "whole.net"}};
    for (const auto& save : saves) {
        EXPECT_EQ(WriteFileAtomically(scratch.File(save.link), "net"), WriteStatus::Ok) << save.link;
        EXPECT_TRUE(fs::is_symlink(scratch.File(save.link))) << save.link;
        EXPECT_EQ(ReadAll(scratch.File(save.target)), "net") << save.link;
    }
    EXPECT_TRUE(fs::is_symlink(scratch.File("sub/hop.net")));

    EXPECT_EQ(WriteFileAtomically(scratch.File("a.net"), "net"), WriteStatus::CannotCreate);
    EXPECT_TRUE(fs::is_symlink(scratch.File("a.net")));
    EXPECT_TRUE(fs::is_symlink(scratch.File("b.net")));
    EXPECT_EQ(scratch.Entries().size(), 9u) << "no new file left behind";
}

// Runs `read`; should it wait on the FIFO, a writer comes and goes so that it ends and the test
// fails instead of hanging.
template <class Read> bool ReturnsAtOnce(const std::string& fifo, Read read) {
    std::promise<void> done;
    std::future<void> finished = done.get_future();
    std::thread reader([&] {
        read();
        done.set_value();
    });
    const bool atOnce = finished.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    if (!atOnce) ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK));
    reader.join();
    return atOnce;
}

TEST(FileRead, OnlyRegularFilesAreRead) {
    ScratchDir scratch;
    const std::string fifoNet = scratch.File("pipe.net");
    const std::string fifoKp = scratch.File("pipe.kp");
    ASSERT_EQ(::mkfifo(fifoNet.c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(fifoKp.c_str(), 0600), 0);
    const std::string tail = "\r\nLoad Procedure terminated! ";

    NetWorkType net;
    RecordingMessages messages;
    EXPECT_TRUE(
        ReturnsAtOnce(fifoNet, [&] { EXPECT_FALSE(LoadNetFile(net, fifoNet, OptionType{}, messages)); }));
    EXPECT_TRUE(
        ReturnsAtOnce(fifoKp, [&] { EXPECT_FALSE(LoadKrackPlot(net, fifoKp, OptionType{}, messages)); }));
    EXPECT_EQ(messages.calls, (std::vector<RecordingMessages::Call>{
                                  {"warning", "Invalid format of the File\r\n" + fifoNet + tail},
                                  {"warning", " Cannot Load file \r\n" + fifoKp + tail}}));

    std::string text = "stale";
    EXPECT_TRUE(ReturnsAtOnce(
        fifoNet, [&] { EXPECT_EQ(ReadFileLimited(fifoNet, 100, text), ReadStatus::CannotOpen); }));
    EXPECT_EQ(ReadFileLimited(scratch.Path().string(), 100, text), ReadStatus::CannotOpen);
    EXPECT_EQ(ReadFileLimited("/dev/null", 100, text), ReadStatus::CannotOpen);
    EXPECT_EQ(text, "");
}

} // namespace
} // namespace plax
