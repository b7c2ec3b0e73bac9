#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <string>

namespace corvane::test {

int rerunCurrentTestUnprivileged() {
    if (::geteuid() != 0) return -1;
    char executable[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", executable, sizeof executable - 1);
    if (length <= 0) return 127;
    executable[length] = '\0';
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string command = std::string("setpriv --reuid=65534 --regid=65534 --clear-groups '") + executable +
                                "' --gtest_filter='" + info->test_suite_name() + "." + info->name() +
                                "' 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return 127;
    std::string out;
    char buffer[4096];
    while (const std::size_t count = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, count);
    const int status = ::pclose(pipe);
    if (!WIFEXITED(status)) return 128;
    // A filter that matched nothing would also exit with 0.
    if (WEXITSTATUS(status) == 0 && out.find("[  PASSED  ] 1 test.") == std::string::npos) return 126;
    return WEXITSTATUS(status);
}

} // namespace corvane::test
