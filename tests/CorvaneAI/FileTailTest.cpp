#include "FileTail.h"
#include "support/ModificationDate.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/time.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

std::vector<std::string> asStrings(const LineBuffer& lines) {
    return {lines.lines().begin(), lines.lines().end()};
}

/// The last `maxBytes` of a file as its non-empty lines: whole when it fits, else without the
/// first line, which may be cut (and is dropped even when the window starts at a line start).
TEST(FileTail, LastBytesAsLinesWithoutACutFirstLine) {
    using Lines = std::vector<std::string>;
    const struct {
        const char* content;
        std::size_t maxBytes;
        Lines lines;
    } table[] = {
        {"first\nsecond\nthird\n", 19, {"first", "second", "third"}}, // exactly the window
        {"xfirst\nsecond\nthird\n", 19, {"second", "third"}},         // one byte longer
        {"xfirst\nsecond\nthird\n", 13, {"third"}},                   // the window starts at "third"
        {"\n\none\n\n\ntwo", 1000, {"one", "two"}},                    // the last line needs no newline
    };
    for (const auto& row : table) {
        test::TempDir dir;
        const auto tail = FileTail::readLines(dir.write("a.jsonl", row.content), row.maxBytes);
        ASSERT_TRUE(tail) << row.content;
        EXPECT_EQ(asStrings(tail->lines), row.lines) << testing::PrintToString(row.content) << " in " << row.maxBytes;
    }
}

TEST(FileTail, EmptyFileGivesNoLinesButItsDate) {
    test::TempDir dir;
    const std::string path = dir.write("empty.jsonl", "");
    const struct timeval times[2] = {{1'700'000'000, 0}, {1'700'000'000, 250'000}};
    ASSERT_EQ(::utimes(path.c_str(), times), 0);
    const auto tail = FileTail::readLines(path, 32768);
    ASSERT_TRUE(tail);
    EXPECT_TRUE(tail->lines.empty());
    EXPECT_DOUBLE_EQ(unixSeconds(tail->mtime), 1'700'000'000.25);
}

TEST(FileTail, ModificationDatesKeepNanoseconds) {
    // Two writes a nanosecond apart must not look alike to the parse cache.
    struct stat a {};
    struct stat b {};
    a.st_mtim = {1'800'000'000, 100};
    b.st_mtim = {1'800'000'000, 101};
    EXPECT_NE(modificationDate(a), modificationDate(b));
    EXPECT_EQ(modificationDate(a) - Date{}, std::chrono::nanoseconds(1'800'000'000'000'000'100));
}

TEST(FileTail, UnreadableOrMissingOrNonRegularGivesNothing) {
    test::TempDir dir;
    EXPECT_FALSE(FileTail::readLines(dir / "missing.jsonl", 100));
    EXPECT_FALSE(FileTail::readFirstLine(dir / "missing.jsonl", 100));
    EXPECT_FALSE(FileTail::readLines(dir.makeDirectory("folder.jsonl"), 100));
    const std::string fifo = dir / "pipe.jsonl";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // No writer exists: a blocking open would hang here forever.
    EXPECT_FALSE(FileTail::readLines(fifo, 100));
    EXPECT_FALSE(FileTail::readFirstLine(fifo, 100));
    const std::string zero = dir.symlink("/dev/zero", "zero.jsonl");
    EXPECT_FALSE(FileTail::readLines(zero, 100));
    EXPECT_FALSE(FileTail::readFirstLine(zero, 100));
}

TEST(FileTail, FirstLineStopsAtNewlineOrAtMaxBytes) {
    test::TempDir dir;
    const std::string path = dir.write("a.jsonl", "{\"cwd\":\"/x\"}\nrest\n");
    EXPECT_EQ(FileTail::readFirstLine(path, 262144), "{\"cwd\":\"/x\"}");
    EXPECT_EQ(FileTail::readFirstLine(path, 5), "{\"cwd");
    EXPECT_EQ(FileTail::readFirstLine(dir.write("b.jsonl", "\nsecond"), 100), "");
    EXPECT_FALSE(FileTail::readFirstLine(dir.write("c.jsonl", ""), 100));
}

TEST(LineBuffer, SplitsAtNewlinesAndDropsTheFirstOnRequest) {
    LineBuffer lines(std::string_view("a\nbb\n\nccc"));
    ASSERT_EQ(lines.size(), 3U);
    lines.dropFirst();
    EXPECT_EQ(lines[0], "bb");
    EXPECT_EQ(lines[1], "ccc");
    LineBuffer moved = std::move(lines);
    EXPECT_EQ(moved[1], "ccc");
    LineBuffer none;
    none.dropFirst();
    EXPECT_TRUE(none.empty());
}

} // namespace
} // namespace corvane
