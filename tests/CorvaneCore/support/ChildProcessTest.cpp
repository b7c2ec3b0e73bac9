#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cerrno>

namespace corvane {
namespace {

std::optional<ChildResult> shell(const std::string& script, double timeout) {
    return runChild("/bin/sh", {"-c", script}, {"PATH=/usr/bin:/bin"}, timeout, 8);
}

void expectNothingLeftToReap() {
    errno = 0;
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST(ChildProcess, ExitStatusOutputCapAndEnvironment) {
    const auto result = shell("echo \"$PATH-$HOME\"; exit 3", 5);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->code, 3);
    EXPECT_EQ(result->out, "/usr/bin") << "only the given environment, cut at the cap";
    EXPECT_FALSE(runChild("/nonexistent/program", {}, {}, 5, 8).has_value());
    expectNothingLeftToReap();
}

TEST(ChildProcess, ClosedOutputDoesNotEndTheWaitForExit) {
    const auto result = shell("exec >&-; sleep 0.2; exit 4", 5);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->code, 4);
    expectNothingLeftToReap();
}

TEST(ChildProcess, BackgroundHolderOfTheOutputDoesNotKeepTheResult) {
    const auto result = shell("sleep 3 & echo done", 5);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->code, 0);
    EXPECT_EQ(result->out, "done\n");
    expectNothingLeftToReap();
}

TEST(ChildProcess, LateChildIsEndedEvenWhenItIgnoresTermination) {
    EXPECT_FALSE(shell("trap '' TERM; sleep 5; sleep 5", 0.2).has_value());
    expectNothingLeftToReap();
    const auto signalled = shell("kill -9 $$", 5);
    ASSERT_TRUE(signalled.has_value());
    EXPECT_EQ(signalled->code, 128 + 9);
}

} // namespace
} // namespace corvane
