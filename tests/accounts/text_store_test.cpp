#include "accounts/text_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plax {
namespace {

std::string NumberedLine(std::uint64_t i) {
    return "    line " + std::to_string(i) + std::string(i % 7, '.');
}

// Every line reads back the same whether the text stayed in memory or went to the file, across
// index steps and read pieces, from any starting line.
TEST(TextStore, LinesReadBackInMemoryAndSpilled) {
    for (const std::size_t memoryBytes : {std::size_t{1} << 24, std::size_t{1000}}) {
        TextStore store({memoryBytes, std::uint64_t{1} << 30, {}});
        constexpr std::uint64_t Count = 3 * TextStore::IndexStep + 17;
        for (std::uint64_t i = 0; i < Count; ++i)
            ASSERT_EQ(store.Append(NumberedLine(i)), TextStore::Status::Ok);
        EXPECT_EQ(store.Spilled(), memoryBytes == 1000);
        EXPECT_EQ(store.LineCount(), Count);
        for (const std::uint64_t first :
             {std::uint64_t{0}, std::uint64_t{255}, std::uint64_t{256}, Count - 1}) {
            std::vector<std::string> lines;
            ASSERT_TRUE(store.ReadLines(first, 3, lines));
            ASSERT_EQ(lines.size(), first == Count - 1 ? 1u : 3u) << first;
            for (std::size_t k = 0; k < lines.size(); ++k)
                EXPECT_EQ(lines[k], NumberedLine(first + k));
        }
        std::uint64_t visited = 0;
        ASSERT_TRUE(store.ForEachLine([&](std::uint64_t i, std::string_view line) {
            EXPECT_EQ(line, NumberedLine(i));
            return ++visited > 0;
        }));
        EXPECT_EQ(visited, Count);
        EXPECT_EQ(store.Line(Count), "");
    }
}

TEST(TextStore, LineBreaksSplitAndEmptyLinesStay) {
    TextStore store;
    ASSERT_EQ(store.Append(""), TextStore::Status::Ok);
    ASSERT_EQ(store.Append("a\nb"), TextStore::Status::Ok);
    ASSERT_EQ(store.Append(std::string(70000, 'x')), TextStore::Status::Ok);
    EXPECT_EQ(store.LineCount(), 4u);
    EXPECT_EQ(store.ByteCount(), 70002u);
    std::vector<std::string> lines;
    ASSERT_TRUE(store.ReadLines(0, 10, lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"", "a", "b", std::string(70000, 'x')}));
    store.Clear();
    EXPECT_EQ(store.LineCount(), 0u);
}

// At its size limit, or when no temporary file can be made, the text keeps what it had and
// refuses more with the reason the run reports.
TEST(TextStore, LimitsRefuseAndKeepWhatWasWritten) {
    TextStore small({100, 25, {}});
    EXPECT_EQ(small.Append("0123456789"), TextStore::Status::Ok);
    EXPECT_EQ(small.Append("0123456789"), TextStore::Status::Ok);
    EXPECT_EQ(small.Append("0123"), TextStore::Status::TooLarge);
    EXPECT_EQ(small.Append(""), TextStore::Status::TooLarge);
    EXPECT_EQ(small.LineCount(), 2u);

    TextStore nowhere({10, 1000, "/nonexistent-plax-dir"});
    EXPECT_EQ(nowhere.Append("0123456789ab"), TextStore::Status::DiskError);
    EXPECT_EQ(nowhere.Line(0), "0123456789ab");
    EXPECT_EQ(TextStoreStopText(TextStore::Status::DiskFull),
              "No space left on the disk for the Results text.\r\nProcedure stopped. ");
}

} // namespace
} // namespace plax
