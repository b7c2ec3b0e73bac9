#include "support/NamedProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace corvane::test {

NamedProcess::NamedProcess(const std::string& name, const std::string& program,
                           const std::vector<std::string>& arguments) {
    const std::string path = bin_ / name;
    std::filesystem::copy_file(program, path);
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    int started[2];
    if (::pipe2(started, O_CLOEXEC) != 0) return;
    std::vector<char*> argv{const_cast<char*>(name.c_str())};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_ = ::fork();
    if (pid_ == 0) {
        ::execv(path.c_str(), argv.data());
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
