#include "support/NamedProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace corvane::test {

NamedProcess::NamedProcess(const std::string& name) {
    const std::string path = bin_ / name;
    std::filesystem::copy_file("/bin/sleep", path);
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    int started[2];
    if (::pipe2(started, O_CLOEXEC) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
        ::execl(path.c_str(), name.c_str(), "60", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(started[1]);
    char ignored;
    // End of file once exec has closed the child's copy: the new program is in place.
    while (::read(started[0], &ignored, 1) < 0 && errno == EINTR) {
    }
    ::close(started[0]);
}

void NamedProcess::stop() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

} // namespace corvane::test
