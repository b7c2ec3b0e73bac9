#include "support/Unprivileged.h"

#include "support/ShellCommand.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
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
    const ShellResult result = runShell(command);
    // A filter that matched nothing would also exit with 0.
    if (result.status == 0 && result.out.find("[  PASSED  ] 1 test.") == std::string::npos) return 126;
    return result.status < 0 ? 128 : result.status;
}

} // namespace corvane::test
