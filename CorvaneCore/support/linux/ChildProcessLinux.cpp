#include "support/ChildProcess.h"

#include "support/UniqueFd.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>

namespace corvane {

namespace {

using Uptime = std::chrono::steady_clock;

constexpr double drainSeconds = 0.5;
constexpr double terminateGraceSeconds = 0.5;

/// A descriptor that becomes readable when `pid` exits; -1 when the kernel offers none.
/// (Called through syscall: this C library's header declares the wrapper without C linkage.)
int openProcessFd(pid_t pid) {
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
}

/// A spawned child in a process group of its own. Until `reap` succeeds, destruction kills the
/// group and waits for the child, so no path leaves a zombie behind.
class SpawnedChild {
public:
    explicit SpawnedChild(pid_t pid) : pid_(pid), exitFd_(openProcessFd(pid)) {}
    ~SpawnedChild() {
        if (reaped_) return;
        ::kill(-pid_, SIGKILL);
        reap();
    }
    SpawnedChild(const SpawnedChild&) = delete;
    SpawnedChild& operator=(const SpawnedChild&) = delete;

    /// Readable once the child has exited; invalid when the kernel offers no process descriptors.
    const UniqueFd& exitFd() const { return exitFd_; }

    bool hasExited() const {
        siginfo_t info{};
        return ::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid_;
    }

    /// Waits for the child and returns its exit code (128 + signal when signalled).
    int reap() {
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        reaped_ = true;
        if (WIFEXITED(status)) return WEXITSTATUS(status);
        if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
        return -1;
    }

    /// Asks the whole group to end, allows a short grace, then kills it.
    void terminate() {
        ::kill(-pid_, SIGTERM);
        const auto end = Uptime::now() + std::chrono::duration<double>(terminateGraceSeconds);
        while (!hasExited() && Uptime::now() < end) {
            pollFor(exitFd_.get(), std::chrono::duration<double>(end - Uptime::now()).count());
        }
        ::kill(-pid_, SIGKILL);
        reap();
    }

    static void pollFor(int fd, double seconds) {
        const int ms = static_cast<int>(std::ceil(std::clamp(seconds, 0.0, 3600.0) * 1000));
        if (fd < 0) {
            ::usleep(static_cast<useconds_t>(std::min(ms, 10)) * 1000);
            return;
        }
        pollfd waiting{fd, POLLIN, 0};
        ::poll(&waiting, 1, ms);
    }

private:
    pid_t pid_;
    UniqueFd exitFd_;
    bool reaped_{false};
};

/// The spawn attributes every child gets: standard input and error on the null device, standard
/// output into `outputFd`, default signal handling, an empty signal mask and a process group of
/// its own (so a timeout can end whatever the child started too).
class SpawnSettings {
public:
    explicit SpawnSettings(int outputFd) {
        ::posix_spawn_file_actions_init(&actions_);
        ::posix_spawnattr_init(&attributes_);
        ::posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0);
        ::posix_spawn_file_actions_adddup2(&actions_, outputFd, 1);
        ::posix_spawn_file_actions_addopen(&actions_, 2, "/dev/null", O_WRONLY, 0);
        sigset_t none;
        sigemptyset(&none);
        sigset_t defaults;
        sigemptyset(&defaults);
        for (int signal : {SIGPIPE, SIGTERM, SIGINT, SIGHUP, SIGCHLD}) sigaddset(&defaults, signal);
        ::posix_spawnattr_setsigmask(&attributes_, &none);
        ::posix_spawnattr_setsigdefault(&attributes_, &defaults);
        ::posix_spawnattr_setpgroup(&attributes_, 0);
        ::posix_spawnattr_setflags(&attributes_,
                                   POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }
    ~SpawnSettings() {
        ::posix_spawn_file_actions_destroy(&actions_);
        ::posix_spawnattr_destroy(&attributes_);
    }
    SpawnSettings(const SpawnSettings&) = delete;
    SpawnSettings& operator=(const SpawnSettings&) = delete;

    const posix_spawn_file_actions_t* actions() const { return &actions_; }
    const posix_spawnattr_t* attributes() const { return &attributes_; }

private:
    posix_spawn_file_actions_t actions_;
    posix_spawnattr_t attributes_;
};

std::vector<char*> nullTerminated(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    pointers.reserve(strings.size() + 1);
    for (std::string& s : strings) pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

/// Reads what is available; false at end of file or on a read error.
bool readAvailable(int fd, std::string& out, std::size_t cap) {
    char buffer[16384];
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count < 0) return errno == EINTR || errno == EAGAIN;
    if (count == 0) return false;
    const std::size_t room = out.size() < cap ? cap - out.size() : 0;
    out.append(buffer, std::min(room, static_cast<std::size_t>(count)));
    return true;
}

} // namespace

std::optional<ChildResult> runChild(const std::string& executable, const std::vector<std::string>& arguments,
                                    const std::vector<std::string>& environment, double timeout,
                                    std::size_t outputCap) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) return std::nullopt;
    UniqueFd readEnd(ends[0]);
    UniqueFd writeEnd(ends[1]);

    std::vector<std::string> argv{executable};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<std::string> envp = environment;
    const std::vector<char*> argvPointers = nullTerminated(argv);
    const std::vector<char*> envPointers = nullTerminated(envp);

    pid_t pid = 0;
    {
        SpawnSettings settings(writeEnd.get());
        if (::posix_spawn(&pid, executable.c_str(), settings.actions(), settings.attributes(), argvPointers.data(),
                          envPointers.data()) != 0) {
            return std::nullopt;
        }
    }
    SpawnedChild child(pid);
    writeEnd.reset();
    ::fcntl(readEnd.get(), F_SETFL, ::fcntl(readEnd.get(), F_GETFL) | O_NONBLOCK);

    ChildResult result;
    bool open = true;
    // Reads output until the child has exited (`untilExit`) or the pipe has closed, or `end`.
    const auto pump = [&](Uptime::time_point end, bool untilExit) {
        while (Uptime::now() < end) {
            if (untilExit ? child.hasExited() : !open) return;
            pollfd waiting[2];
            nfds_t count = 0;
            if (open) waiting[count++] = {readEnd.get(), POLLIN, 0};
            if (untilExit && child.exitFd().valid()) waiting[count++] = {child.exitFd().get(), POLLIN, 0};
            double slice = std::chrono::duration<double>(end - Uptime::now()).count();
            // Without a process descriptor the exit is noticed by checking every 10 ms.
            if (untilExit && !child.exitFd().valid()) slice = std::min(slice, 0.01);
            ::poll(waiting, count, static_cast<int>(std::ceil(std::max(slice, 0.0) * 1000)));
            if (open && waiting[0].revents != 0) open = readAvailable(readEnd.get(), result.out, outputCap);
        }
    };
    const auto seconds = [](double s) {
        return std::chrono::duration_cast<Uptime::duration>(std::chrono::duration<double>(std::clamp(s, 0.0, 1e6)));
    };

    pump(Uptime::now() + seconds(timeout), true);
    if (!child.hasExited()) {
        child.terminate();
        return std::nullopt;
    }
    pump(Uptime::now() + seconds(drainSeconds), false);
    result.code = child.reap();
    return result;
}

} // namespace corvane
