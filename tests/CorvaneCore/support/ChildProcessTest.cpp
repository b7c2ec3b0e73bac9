#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cerrno>

namespace corvane {
namespace {

void expectNothingLeftToReap(const std::string& script) {
    errno = 0;
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1) << script;
    EXPECT_EQ(errno, ECHILD) << script;
}

/// A shell script run with only PATH set, an 8-byte output cap and a timeout: its exit status (128 +
/// the signal when killed) and output, or nothing when it overran; never a child left behind.
TEST(ChildProcess, ScriptsEndWithTheirStatusAndOutput) {
    const struct {
        const char* script;
        double timeout;
        std::optional<ChildResult> result;
    } table[] = {
        {"echo \"$PATH-$HOME\"; exit 3", 5, ChildResult{3, "/usr/bin"}}, // only the given environment, cut at the cap
        {"exec >&-; sleep 0.2; exit 4", 5, ChildResult{4, ""}},      // closed output does not end the wait for exit
        {"sleep 3 & echo done", 5, ChildResult{0, "done\n"}},        // output held open in the background
        {"trap '' TERM; sleep 5; sleep 5", 0.2, std::nullopt},       // ended even when it ignores termination
        {"kill -9 $$", 5, ChildResult{128 + 9, ""}},
    };
    for (const auto& row : table) {
        const auto result = runChild("/bin/sh", {"-c", row.script}, {"PATH=/usr/bin:/bin"}, row.timeout, 8);
        EXPECT_EQ(result.has_value(), row.result.has_value()) << row.script;
        if (result && row.result) {
            EXPECT_EQ(result->code, row.result->code) << row.script;
            EXPECT_EQ(result->out, row.result->out) << row.script;
        }
        expectNothingLeftToReap(row.script);
    }
    EXPECT_FALSE(runChild("/nonexistent/program", {}, {}, 5, 8).has_value());
    expectNothingLeftToReap("/nonexistent/program");
}

} // namespace
} // namespace corvane
