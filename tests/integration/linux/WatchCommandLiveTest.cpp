// Integration: runs the real executable's live monitor and stops it with a signal.
#include "support/ChildOutput.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>

extern char** environ;

namespace corvane {
namespace {

struct Child {
    pid_t pid{-1};
    int output{-1};
};

Child spawnWatch(const std::string& home, bool json) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    std::string homeVar = "HOME=" + home;
    char* argv[] = {const_cast<char*>(CORVANE_EXECUTABLE), const_cast<char*>("--report"), const_cast<char*>("--watch"),
                    json ? const_cast<char*>("--json") : nullptr, nullptr};
    char* envp[] = {homeVar.data(), nullptr};
    Child child;
    if (posix_spawn(&child.pid, CORVANE_EXECUTABLE, &actions, nullptr, argv, envp) != 0) child.pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    child.output = pipeFds[0];
    return child;
}

int waitForExit(pid_t pid, double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    int status = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        if (::waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        ::usleep(20000);
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    return -1;
}

class WatchCommandLive : public ::testing::TestWithParam<std::tuple<int, bool>> {};

TEST_P(WatchCommandLive, PrintsTheLevelAndExitsCleanlyOnSignal) {
    const auto [signal, json] = GetParam();
    test::TempDir home;
    const Child child = spawnWatch(home.path(), json);
    ASSERT_GT(child.pid, 0);
    const std::string firstLine = json ? R"({"time":")" : "[";
    const std::string level = json ? R"(","kind":"level","level":")" : "] 内存压力：";
    const std::string output = test::readFor(child.output, std::chrono::seconds(20), level);
    EXPECT_EQ(output.rfind(firstLine, 0), 0u) << output;
    EXPECT_NE(output.find(level), std::string::npos) << output;
    ::kill(child.pid, signal);
    EXPECT_EQ(waitForExit(child.pid, 20), 0);
    ::close(child.output);
}

TEST(WatchCommandLiveOutput, AReaderThatGoesEndsTheMonitorAsAFailedWriteWhileNothingChanges) {
    test::TempDir home;
    const Child child = spawnWatch(home.path(), false);
    ASSERT_GT(child.pid, 0);
    EXPECT_NE(test::readFor(child.output, std::chrono::seconds(20), "] 内存压力：").find("] 内存压力："), std::string::npos);
    ::close(child.output);
    // Not killed by SIGPIPE (141), not left waiting for its next line: status 1.
    EXPECT_EQ(waitForExit(child.pid, 20), 1);
}

INSTANTIATE_TEST_SUITE_P(SignalsAndFormats, WatchCommandLive,
                         ::testing::Combine(::testing::Values(SIGINT, SIGTERM), ::testing::Bool()),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param) == SIGINT ? "Interrupt" : "Terminate") +
                                    (std::get<1>(info.param) ? "Json" : "Text");
                         });

} // namespace
} // namespace corvane
