#include "ClaudeCodeParser.h"
#include "TailWindow.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvane {
namespace {

/// A settling line, then `fillerBytes` of lines that settle nothing.
std::string transcriptWithSettlingLineAt(std::size_t fillerBytes) {
    std::string text = R"({"type":"user","message":{"content":"go"}})" "\n";
    const std::string filler = R"({"type":"summary","summary":")" + std::string(1000, 's') + "\"}\n";
    while (text.size() < fillerBytes) text += filler;
    return text;
}

struct Recorded {
    std::vector<std::size_t> windows; // bytes of lines each parse saw
    TailWindow::Parser parser() {
        return [this](const LineBuffer& lines, Date mtime) {
            std::size_t bytes = 0;
            for (const auto& line : lines.lines()) bytes += line.size() + 1;
            windows.push_back(bytes);
            return ClaudeCodeParser::parse(lines, mtime);
        };
    }
};

/// Observes a transcript whose only settling line sits `offset` bytes from its end, recording the
/// windows read.
struct SettlingAt {
    explicit SettlingAt(std::size_t offset)
        : text(transcriptWithSettlingLineAt(offset)), path(dir.write("t.jsonl", text)),
          result(TailWindow::observe(path, text.size(), recorded.parser())) {}
    test::TempDir dir;
    std::string text;
    std::string path;
    Recorded recorded;
    decltype(TailWindow::observe(std::string(), 0, Recorded().parser())) result;
};

TEST(TailWindow, GrowsByDoublingUntilTheStateSettles) {
    SettlingAt t(100'000);
    const auto& result = t.result;
    const Recorded& recorded = t.recorded;
    ASSERT_TRUE(result);
    EXPECT_EQ(result->state, RawState::busy);
    ASSERT_EQ(recorded.windows.size(), 3U); // 32 KiB, 64 KiB, 128 KiB
    EXPECT_LE(recorded.windows[0], 32768U);
    EXPECT_GT(recorded.windows[1], 32768U);
    EXPECT_LE(recorded.windows[1], 65536U);
    EXPECT_GT(recorded.windows[2], 65536U);
}

TEST(TailWindow, StopsAtTheLargestWindowOrAtTheListedSize) {
    SettlingAt t(300'000);
    const auto& result = t.result;
    const Recorded& recorded = t.recorded;
    const std::string& path = t.path;
    ASSERT_TRUE(result);
    EXPECT_EQ(result->state, RawState::unknown);
    EXPECT_EQ(recorded.windows.size(), 4U); // 32, 64, 128 and 256 KiB, then no more
    EXPECT_LE(recorded.windows.back(), 262144U);

    // A listed size the first window already covers, or an unknown size (0), ends after one read.
    Recorded small;
    EXPECT_EQ(TailWindow::observe(path, 30'000, small.parser())->state, RawState::unknown);
    EXPECT_EQ(small.windows.size(), 1U);
    Recorded unknownSize;
    TailWindow::observe(path, 0, unknownSize.parser());
    EXPECT_EQ(unknownSize.windows.size(), 1U);
    // A listed size just above a window asks for the next one.
    Recorded justAbove;
    TailWindow::observe(path, 32769, justAbove.parser());
    EXPECT_EQ(justAbove.windows.size(), 2U);
}

TEST(TailWindow, FailedReadFailsTheObservation) {
    test::TempDir dir;
    Recorded recorded;
    EXPECT_FALSE(TailWindow::observe(dir / "gone.jsonl", 100, recorded.parser()));
    EXPECT_TRUE(recorded.windows.empty());
}

} // namespace
} // namespace corvane
