#include "accounts/report_file.h"

#include "model/net_file.h"

#include "net_builders.h"
#include "recording_messages.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace plax {
namespace {

using plax::testing::ReadAll;
using plax::testing::RecordingMessages;
using plax::testing::ScratchDir;
using plax::testing::WriteAll;
using Calls = std::vector<RecordingMessages::Call>;

// Holds the size of any file this process writes to `bytes` while it lives, so a write past it
// fails as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    bool Active() const { return active_; }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
    bool active_ = false;
};

// Add to Report of a window holding `lines`, for the net saved as `netFile`.
bool Add(std::string& reportFile, const std::string& netName, const std::vector<std::string>& lines,
         UserMessages& messages, const std::string& netFile = {}) {
    TextStore text;
    for (const std::string& line : lines)
        EXPECT_EQ(text.Append(line), TextStore::Status::Ok);
    return AddToReport(reportFile, netFile, netName, text, messages);
}

TEST(ReportFile, NameReplacesTheExtensionInTheSameDirectory) {
    EXPECT_EQ(ReportFileName("/home/ann/nets/road.net"), "/home/ann/nets/road.TXT");
    EXPECT_EQ(ReportFileName("/home/ann/nets/road.NET"), "/home/ann/nets/road.TXT");
    EXPECT_EQ(ReportFileName("road.net"), "road.TXT");
    EXPECT_EQ(ReportFileName("/home/ann/nets/road"), "/home/ann/nets/road.TXT");
    EXPECT_EQ(ReportFileName("road"), "road.TXT");
    // A dot in a directory name is not an extension.
    EXPECT_EQ(ReportFileName("/home/ann/my.nets/road"), "/home/ann/my.nets/road.TXT");
    EXPECT_EQ(ReportFileName("/home/ann/my.nets/road.kp"), "/home/ann/my.nets/road.TXT");
    // Only the last extension is replaced, and a report file keeps its own name.
    EXPECT_EQ(ReportFileName("/n/road.v2.net"), "/n/road.v2.TXT");
    EXPECT_EQ(ReportFileName("/n/road.TXT"), "/n/road.TXT");
}

TEST(ReportFile, BannersOfTheTwoKinds) {
    EXPECT_EQ(AppendBanner("road"), "    Report for NetWork road     (PLAX 2000) ");
    EXPECT_EQ(ReportBanner("road"), "    Report for NetWork road PLAX 2000");
    EXPECT_EQ(AppendBanner(""), "    Report for NetWork      (PLAX 2000) ");
    EXPECT_EQ(ReportBanner(""), "    Report for NetWork  PLAX 2000");

    // The part before " PLAX 2000" is cut to 123 characters, the whole line to 133.
    const std::string hundred(100, 'n');
    EXPECT_EQ(ReportBanner(hundred), "    Report for NetWork " + hundred + " PLAX 2000");
    EXPECT_EQ(ReportBanner(hundred).size(), 133u);
    const std::string tooLong(130, 'm');
    EXPECT_EQ(ReportBanner(tooLong), "    Report for NetWork " + std::string(100, 'm') + " PLAX 2000");
    EXPECT_EQ(ReportBanner(std::string(99, 'k')).size(), 132u);
    // The Add to Report banner is not cut.
    EXPECT_EQ(AppendBanner(tooLong).size(), 23u + 130u + 4u + 13u);
}

TEST(ReportFile, AddToReportWritesTheBannerOnceAndAppendsInOrder) {
    ScratchDir dir;
    RecordingMessages messages;
    std::string reportFile = dir.File("road.net");

    ASSERT_TRUE(Add(reportFile, "road", {"", "  first run", "    Procedure complete. "}, messages));
    EXPECT_EQ(reportFile, dir.File("road.TXT")) << "the window keeps the report file's name";
    EXPECT_EQ(
        ReadAll(dir.File("road.TXT")),
        "    Report for NetWork road     (PLAX 2000) \r\n\r\n  first run\r\n    Procedure complete. \r\n");

    // A second press appends the same window's text again, with no second banner.
    ASSERT_TRUE(Add(reportFile, "road", {"second"}, messages));
    EXPECT_EQ(reportFile, dir.File("road.TXT"));
    EXPECT_EQ(
        ReadAll(dir.File("road.TXT")),
        "    Report for NetWork road     (PLAX 2000) \r\n\r\n  first run\r\n    Procedure complete. \r\n"
        "second\r\n");

    // Another window of the same net, renamed meanwhile, finds the file and adds no banner either.
    std::string other = dir.File("road.net");
    ASSERT_TRUE(Add(other, "renamed", {"third"}, messages));
    EXPECT_EQ(
        ReadAll(dir.File("road.TXT")),
        "    Report for NetWork road     (PLAX 2000) \r\n\r\n  first run\r\n    Procedure complete. \r\n"
        "second\r\nthird\r\n");
    EXPECT_TRUE(messages.calls.empty());
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"road.TXT"}) << "no temporary file is left";

    // An empty text adds nothing but the banner of a new file.
    std::string empty = dir.File("quiet");
    ASSERT_TRUE(Add(empty, "quiet", {}, messages));
    EXPECT_EQ(ReadAll(dir.File("quiet.TXT")), "    Report for NetWork quiet     (PLAX 2000) \r\n");
}

TEST(ReportFile, AddToReportAppendsAfterAnExistingReport) {
    ScratchDir dir;
    RecordingMessages messages;
    WriteAll(dir.File("road.TXT"), "    Report for NetWork road PLAX 2000\r\nmy own notes\r\n");
    std::string reportFile = dir.File("road.net");
    ASSERT_TRUE(Add(reportFile, "road", {"    Source = 1"}, messages));
    EXPECT_EQ(ReadAll(dir.File("road.TXT")),
              "    Report for NetWork road PLAX 2000\r\nmy own notes\r\n    Source = 1\r\n");
    EXPECT_TRUE(messages.calls.empty());
}

TEST(ReportFile, ShowAndClearReportWriteTheirOwnBanner) {
    ScratchDir dir;
    RecordingMessages messages;
    const std::string net = dir.File("road.net");

    EXPECT_EQ(EnsureReportFile(net, "road", messages), dir.File("road.TXT"));
    EXPECT_EQ(ReadAll(dir.File("road.TXT")), "    Report for NetWork road PLAX 2000\r\n");

    // An existing report is shown as it is.
    WriteAll(dir.File("road.TXT"), "old banner\r\nold line\r\n");
    EXPECT_EQ(EnsureReportFile(net, "road", messages), dir.File("road.TXT"));
    EXPECT_EQ(ReadAll(dir.File("road.TXT")), "old banner\r\nold line\r\n");

    // Clear Report leaves exactly one line, the banner, without asking.
    ASSERT_TRUE(ClearReport(net, "road", messages));
    EXPECT_EQ(ReadAll(dir.File("road.TXT")), "    Report for NetWork road PLAX 2000\r\n");
    TextStore read;
    ASSERT_EQ(ReadReportText(dir.File("road.TXT"), read), "");
    EXPECT_EQ(read.LineCount(), 1u);
    EXPECT_EQ(read.Line(0), "    Report for NetWork road PLAX 2000");

    // A net without a file yet has no extension to replace; a long name is cut.
    const std::string longName(120, 'x');
    ASSERT_TRUE(ClearReport(dir.File("unnamed"), longName, messages));
    EXPECT_EQ(ReadAll(dir.File("unnamed.TXT")),
              "    Report for NetWork " + std::string(100, 'x') + " PLAX 2000\r\n");
    EXPECT_TRUE(messages.calls.empty());
}

TEST(ReportFile, DiskErrorsShowTheirTexts) {
    ScratchDir dir;
    const std::string net = dir.File("missing/road.net");
    const std::string report = dir.File("missing/road.TXT");

    RecordingMessages messages;
    std::string reportFile = net;
    EXPECT_FALSE(Add(reportFile, "road", {"line"}, messages));
    EXPECT_EQ(messages.calls, (Calls{{"error", " Cannot append Result text to " + report}}));

    messages.calls.clear();
    EXPECT_EQ(EnsureReportFile(net, "road", messages), "");
    EXPECT_EQ(messages.calls, (Calls{{"error", "Disk Error! \r\n Cannot open Report file " + report}}));

    messages.calls.clear();
    EXPECT_FALSE(ClearReport(net, "road", messages));
    EXPECT_EQ(messages.calls, (Calls{{"error", "Disk Error! \r\n Cannot Clear Report file " + report}}));

    // A directory whose permissions forbid writing (they bind everyone but root).
    ASSERT_TRUE(std::filesystem::create_directory(dir.File("locked")));
    WriteAll(dir.File("locked/road.TXT"), "kept\r\n");
    std::filesystem::permissions(dir.File("locked"),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    if (::access(dir.File("locked").c_str(), W_OK) != 0) {
        messages.calls.clear();
        std::string locked = dir.File("locked/road.net");
        EXPECT_FALSE(Add(locked, "road", {"line"}, messages));
        EXPECT_FALSE(ClearReport(dir.File("locked/road.net"), "road", messages));
        EXPECT_EQ(
            messages.calls,
            (Calls{{"error", " Cannot append Result text to " + dir.File("locked/road.TXT")},
                   {"error", "Disk Error! \r\n Cannot Clear Report file " + dir.File("locked/road.TXT")}}));
        EXPECT_EQ(ReadAll(dir.File("locked/road.TXT")), "kept\r\n");
    }
    std::filesystem::permissions(dir.File("locked"), std::filesystem::perms::owner_all);

    // A report file that is a directory cannot be appended to or cleared either.
    ASSERT_TRUE(std::filesystem::create_directory(dir.File("odd.TXT")));
    messages.calls.clear();
    std::string odd = dir.File("odd.net");
    EXPECT_FALSE(Add(odd, "odd", {"line"}, messages));
    EXPECT_FALSE(ClearReport(dir.File("odd.net"), "odd", messages));
    EXPECT_EQ(messages.calls,
              (Calls{{"error", " Cannot append Result text to " + dir.File("odd.TXT")},
                     {"error", "Disk Error! \r\n Cannot Clear Report file " + dir.File("odd.TXT")}}));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("odd.TXT")));
}

TEST(ReportFile, FailedAppendKeepsTheOldReportWhole) {
    ScratchDir dir;
    RecordingMessages messages;
    const std::string old = "    Report for NetWork road     (PLAX 2000) \r\nearlier run\r\n";
    WriteAll(dir.File("road.TXT"), old);
    const std::vector<std::string> lines(200, "    a line of the new account, long enough to fill the disk");

    std::string reportFile = dir.File("road.net");
    bool added = true;
    {
        const FileSizeLimit full(256);
        ASSERT_TRUE(full.Active());
        added = Add(reportFile, "road", lines, messages);
    }
    EXPECT_FALSE(added);
    EXPECT_EQ(messages.calls, (Calls{{"error", " Cannot append Result text to " + dir.File("road.TXT")}}));
    EXPECT_EQ(ReadAll(dir.File("road.TXT")), old);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"road.TXT"}) << "the half-written copy is removed";

    // The same append succeeds once there is room.
    messages.calls.clear();
    ASSERT_TRUE(Add(reportFile, "road", {"later"}, messages));
    EXPECT_EQ(ReadAll(dir.File("road.TXT")), old + "later\r\n");
}

// Several processes pressing Add to Report for one net at once: every block arrives, whole.
TEST(ReportFile, ConcurrentAppendsAllArriveWhole) {
    ScratchDir dir;
    constexpr int Children = 6;
    constexpr int Blocks = 30;
    const auto block = [](int child, int b) {
        const std::string tag = "child " + std::to_string(child) + " block " + std::to_string(b);
        return std::vector<std::string>{tag + " begins", tag + " goes on", tag + " ends"};
    };
    std::vector<pid_t> children;
    for (int c = 0; c < Children; ++c) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            RecordingMessages messages;
            bool added = true;
            for (int b = 0; b < Blocks; ++b) {
                std::string reportFile = dir.File("road.net");
                added = Add(reportFile, "road", block(c, b), messages) && added;
            }
            ::_exit(added ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = -1;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "every append answers success";
    }
    const std::string report = ReadAll(dir.File("road.TXT"));
    const std::string banner = "    Report for NetWork road     (PLAX 2000) \r\n";
    EXPECT_EQ(report.rfind(banner, 0), 0u);
    std::size_t expectedSize = banner.size();
    for (int c = 0; c < Children; ++c) {
        for (int b = 0; b < Blocks; ++b) {
            std::string whole;
            for (const std::string& line : block(c, b))
                whole += line + "\r\n";
            expectedSize += whole.size();
            EXPECT_NE(report.find(whole), std::string::npos) << "child " << c << " block " << b;
        }
    }
    EXPECT_EQ(report.size(), expectedSize) << "one banner, nothing twice";
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"road.TXT"}) << "no lock or temporary file is left";
}

// A net saved under its report's name, or reached through a link of that name, is never
// written over by the report commands.
TEST(ReportFile, TheNetFileIsNeverTakenForItsReport) {
    ScratchDir dir;
    NetWorkType net = testing::MakeNet(UndirNetCode, 2, "road");
    testing::AddEdge(net, 1, 2, 3.0);
    RecordingMessages messages;
    const std::string own = dir.File("ROAD.TXT");
    const std::string linkedNet = dir.File("link.net");
    ASSERT_TRUE(SaveNetFile(net, own, messages));
    ASSERT_TRUE(SaveNetFile(net, linkedNet, messages));
    ASSERT_EQ(::symlink("link.net", dir.File("link.TXT").c_str()), 0);
    const std::string netBytes = ReadAll(own);
    ASSERT_EQ(netBytes.size() % 64, 0u);

    std::string reportFile = own;
    EXPECT_FALSE(Add(reportFile, "road", {"line"}, messages, own));
    EXPECT_FALSE(Add(reportFile, "road", {"line"}, messages, own)) << "a second press is refused too";
    EXPECT_EQ(EnsureReportFile(own, "road", messages), "");
    EXPECT_FALSE(ClearReport(own, "road", messages));
    std::string linked = linkedNet;
    EXPECT_FALSE(Add(linked, "link", {"line"}, messages, linkedNet));
    // A later press of a net named road.net goes to road.TXT as the first did.
    const std::string roadNet = dir.File("road.net");
    ASSERT_TRUE(SaveNetFile(net, roadNet, messages));
    std::string roadReport = roadNet;
    EXPECT_TRUE(Add(roadReport, "road", {"one"}, messages, roadNet));
    EXPECT_TRUE(Add(roadReport, "road", {"two"}, messages, roadNet));
    EXPECT_EQ(EnsureReportFile(linkedNet, "link", messages), "");
    EXPECT_FALSE(ClearReport(linkedNet, "link", messages));
    // A net not yet on disk under a report's name is refused by its name.
    EXPECT_FALSE(ClearReport(dir.File("new.TXT"), "new", messages));

    const std::string itself = ": it is the net file itself";
    const std::string link = dir.File("link.TXT");
    EXPECT_EQ(messages.calls, (Calls{{"error", " Cannot append Result text to " + own + itself},
                                     {"error", " Cannot append Result text to " + own + itself},
                                     {"error", "Disk Error! \r\n Cannot open Report file " + own + itself},
                                     {"error", "Disk Error! \r\n Cannot Clear Report file " + own + itself},
                                     {"error", " Cannot append Result text to " + link + itself},
                                     {"error", "Disk Error! \r\n Cannot open Report file " + link + itself},
                                     {"error", "Disk Error! \r\n Cannot Clear Report file " + link + itself},
                                     {"error", "Disk Error! \r\n Cannot Clear Report file " +
                                                   dir.File("new.TXT") + itself}}));
    EXPECT_EQ(ReadAll(own), netBytes);
    EXPECT_EQ(ReadAll(linkedNet), netBytes);
    EXPECT_FALSE(std::filesystem::exists(dir.File("new.TXT")));
}

std::vector<std::string> StoredLines(const TextStore& store) {
    std::vector<std::string> lines;
    EXPECT_TRUE(store.ReadLines(0, static_cast<std::size_t>(store.LineCount()), lines));
    return lines;
}

TEST(ReportFile, ReadReportTextStreamsAnyFileIntoTheStore) {
    ScratchDir dir;
    using Lines = std::vector<std::string>;
    const struct {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"one\r\n\r\ntwo  \nthree", {"one", "", "two  ", "three"}},
        {"\n", {""}},
        {"a\r\r\nb\rc\n\r", {"a\r", "b\rc", "\r"}},
        {"caf\xe9\r\n", {"caf\xe9"}},
    };
    for (const auto& c : cases) {
        WriteAll(dir.File("r.TXT"), c.bytes);
        TextStore store;
        ASSERT_EQ(store.Append("stale"), TextStore::Status::Ok);
        EXPECT_EQ(ReadReportText(dir.File("r.TXT"), store), "");
        EXPECT_EQ(StoredLines(store), c.lines);
    }

    // A report past the 64 MiB that a whole-file reader allowed is appended to and read back.
    const std::size_t count = 70 * 1024;
    std::string big;
    big.reserve(count * 1024);
    for (std::size_t k = 0; k < count; ++k) {
        const std::string number = std::to_string(k);
        big += number + std::string(1022 - number.size(), '.') + "\r\n";
    }
    WriteAll(dir.File("big.TXT"), big);
    big = std::string();
    RecordingMessages messages;
    std::string reportFile = dir.File("big.net");
    ASSERT_TRUE(Add(reportFile, "big", {"appended"}, messages));
    TextStore::Limits limits;
    limits.tempDir = dir.Path().string();
    TextStore store(limits);
    EXPECT_EQ(ReadReportText(dir.File("big.TXT"), store), "");
    EXPECT_EQ(store.LineCount(), count + 1);
    EXPECT_EQ(store.Line(54321), "54321" + std::string(1017, '.'));
    EXPECT_EQ(store.Line(count), "appended");

    // The reasons shown after " Cannot Load report text ".
    ASSERT_EQ(::mkfifo(dir.File("fifo.TXT").c_str(), 0600), 0);
    TextStore::Limits tiny;
    tiny.totalBytes = 10;
    TextStore small(tiny);
    EXPECT_EQ(ReadReportText(dir.File("none.TXT"), store), "no such file");
    WriteAll(dir.File("z.TXT"), std::string("text\r\n\0", 7));
    EXPECT_EQ(ReadReportText(dir.File("z.TXT"), store), "not a text file (it holds a zero byte)");
    EXPECT_EQ(ReadReportText(dir.Path().string(), store), "not a regular file");
    EXPECT_EQ(ReadReportText(dir.File("fifo.TXT"), store), "not a regular file");
    EXPECT_EQ(ReadReportText(dir.File("r.TXT"), small), "");
    EXPECT_EQ(ReadReportText(dir.File("big.TXT"), small), "too large for the text store");
}

} // namespace
} // namespace plax
