// Integration: the headless monitor's threads after it has idled, and the status-bar run as a bar
// uses it, both as subprocesses of the real executable.
#include "support/ChildOutput.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace corvane {
namespace {

using namespace std::chrono_literals;

struct Child {
    pid_t pid{-1};
    int output{-1};
};

/// Starts corvane with `arguments` in a temporary home, its standard output into a pipe, with a
/// 200 ms pool expiry and the sanitizers' options passed on.
Child spawnCorvane(const std::string& home, const std::vector<std::string>& arguments) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    std::vector<std::string> env{"HOME=" + home, "PATH=/usr/bin:/bin", "CORVANE_POOL_EXPIRY_MS=200"};
    for (const char* sanitizer : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS", "TSAN_OPTIONS"}) {
        if (const char* value = std::getenv(sanitizer)) env.push_back(std::string(sanitizer) + "=" + value);
    }
    std::vector<std::string> args{CORVANE_EXECUTABLE};
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    std::vector<char*> envp;
    for (std::string& a : args) argv.push_back(a.data());
    for (std::string& e : env) envp.push_back(e.data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    Child child;
    if (posix_spawn(&child.pid, CORVANE_EXECUTABLE, &actions, nullptr, argv.data(), envp.data()) != 0) child.pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    child.output = pipeFds[0];
    return child;
}

int threadsOf(pid_t pid) {
    int count = 0;
    DIR* tasks = ::opendir(("/proc/" + std::to_string(pid) + "/task").c_str());
    if (tasks == nullptr) return -1;
    while (const dirent* entry = ::readdir(tasks)) count += entry->d_name[0] != '.' ? 1 : 0;
    ::closedir(tasks);
    return count;
}

/// The exit status, or -1 (after killing it) when it does not end within `time`.
int waitForExit(pid_t pid, std::chrono::milliseconds time) {
    const auto deadline = std::chrono::steady_clock::now() + time;
    int status = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        if (::waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        std::this_thread::sleep_for(20ms);
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    return -1;
}

// Idle: the first samples taken, the pools' threads expired. What remains is the main loop, the
// signal waiter, the pressure listener and at most the sampling queue between two polls.
TEST(IdleThreads, TheHeadlessMonitorHoldsAtMostSixThreadsOnceIdle) {
    test::TempDir home;
    const Child child = spawnCorvane(home.path(), {"--report", "--watch"});
    ASSERT_GT(child.pid, 0);
    const std::string first = test::readFor(child.output, 20s, "\n");
    EXPECT_NE(first.find("内存压力"), std::string::npos) << first;
    std::this_thread::sleep_for(2s);
    const int threads = threadsOf(child.pid);
    EXPECT_GT(threads, 0);
    EXPECT_LE(threads, 6);
    ::kill(child.pid, SIGTERM);
    EXPECT_EQ(waitForExit(child.pid, 20s), 0);
    ::close(child.output);
}

TEST(StatusBarRun, PrintsEachChangeOnceThenNothingWhileTheStateHoldsAndEndsQuietlyWhenTheBarGoes) {
    test::TempDir home;
    const Child child = spawnCorvane(home.path(), {"--bar", "waybar", "--mock", "warn"});
    ASSERT_GT(child.pid, 0);
    // The memory sample and the AI poll may land in one update or in two.
    const std::string settled = R"("class":["elevated","waiting"],"percentage":81})"
                                "\n";
    const std::string printed = test::readFor(child.output, 20s, settled);
    ASSERT_GE(printed.size(), settled.size()) << printed;
    EXPECT_EQ(printed.substr(printed.size() - settled.size()), settled) << printed;
    EXPECT_LE(std::count(printed.begin(), printed.end(), '\n'), 2) << printed;
    EXPECT_EQ(test::readFor(child.output, 3s), "") << "the demonstration's state does not change";
    ::close(child.output); // the bar exits
    EXPECT_EQ(waitForExit(child.pid, 10s), 0);
}

} // namespace
} // namespace corvane
