#include "procedures/report_file.h"

#include "recording_messages.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/resource.h>
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

    ASSERT_TRUE(AddToReport(reportFile, "road", {"", "  first run", "    Procedure complete. "}, messages));
    EXPECT_EQ(reportFile, dir.File("road.TXT")) << "the window keeps the report file's name";
    EXPECT_EQ(
        ReadAll(dir.File("road.TXT")),
        "    Report for NetWork road     (PLAX 2000) \r\n\r\n  first run\r\n    Procedure complete. \r\n");

    // A second press appends the same window's text again, with no second banner.
    ASSERT_TRUE(AddToReport(reportFile, "road", {"second"}, messages));
    EXPECT_EQ(reportFile, dir.File("road.TXT"));
    EXPECT_EQ(
        ReadAll(dir.File("road.TXT")),
        "    Report for NetWork road     (PLAX 2000) \r\n\r\n  first run\r\n    Procedure complete. \r\n"
        "second\r\n");

    // Another window of the same net, renamed meanwhile, finds the file and adds no banner either.
    std::string other = dir.File("road.net");
    ASSERT_TRUE(AddToReport(other, "renamed", {"third"}, messages));
    EXPECT_EQ(
        ReadAll(dir.File("road.TXT")),
        "    Report for NetWork road     (PLAX 2000) \r\n\r\n  first run\r\n    Procedure complete. \r\n"
        "second\r\nthird\r\n");
    EXPECT_TRUE(messages.calls.empty());
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"road.TXT"}) << "no temporary file is left";

    // An empty text adds nothing but the banner of a new file.
    std::string empty = dir.File("quiet");
    ASSERT_TRUE(AddToReport(empty, "quiet", {}, messages));
    EXPECT_EQ(ReadAll(dir.File("quiet.TXT")), "    Report for NetWork quiet     (PLAX 2000) \r\n");
}

TEST(ReportFile, AddToReportAppendsAfterAnExistingReport) {
    ScratchDir dir;
    RecordingMessages messages;
    WriteAll(dir.File("road.TXT"), "    Report for NetWork road PLAX 2000\r\nmy own notes\r\n");
    std::string reportFile = dir.File("road.net");
    ASSERT_TRUE(AddToReport(reportFile, "road", {"    Source = 1"}, messages));
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
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadTextLines(dir.File("road.TXT"), lines));
    EXPECT_EQ(lines, std::vector<std::string>{"    Report for NetWork road PLAX 2000"});

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
    EXPECT_FALSE(AddToReport(reportFile, "road", {"line"}, messages));
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
        EXPECT_FALSE(AddToReport(locked, "road", {"line"}, messages));
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
    EXPECT_FALSE(AddToReport(odd, "odd", {"line"}, messages));
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
        added = AddToReport(reportFile, "road", lines, messages);
    }
    EXPECT_FALSE(added);
    EXPECT_EQ(messages.calls, (Calls{{"error", " Cannot append Result text to " + dir.File("road.TXT")}}));
    EXPECT_EQ(ReadAll(dir.File("road.TXT")), old);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"road.TXT"}) << "the half-written copy is removed";

    // The same append succeeds once there is room.
    messages.calls.clear();
    ASSERT_TRUE(AddToReport(reportFile, "road", {"later"}, messages));
    EXPECT_EQ(ReadAll(dir.File("road.TXT")), old + "later\r\n");
}

TEST(ReportFile, ReadTextLinesSplitsCrLfAndLfLines) {
    ScratchDir dir;
    WriteAll(dir.File("r.TXT"), "one\r\n\r\ntwo  \nthree");
    std::vector<std::string> lines{"stale"};
    ASSERT_TRUE(ReadTextLines(dir.File("r.TXT"), lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "", "two  ", "three"}));
    EXPECT_FALSE(ReadTextLines(dir.File("none.TXT"), lines));
}

} // namespace
} // namespace plax
