#include "memory/PressureMonitor.h"

#include "memory/linux/PsiLevel.h"
#include "support/FileRead.h"
#include "support/PathText.h"
#include "support/UniqueFd.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <memory>
#include <thread>

namespace corvane {

namespace {

// A stall of 150 ms within a 2 s window: the window must be a multiple of 2 s for
// unprivileged triggers.
constexpr char triggerText[] = "some 150000 2000000";

/// A PSI trigger on `path`, or an invalid descriptor when the kernel refuses it.
UniqueFd openTrigger(const std::string& path) {
    UniqueFd fd(::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC));
    if (!fd) return fd;
    if (::write(fd.get(), triggerText, sizeof triggerText) < 0) return UniqueFd();
    return fd;
}

/// The caller's cgroup v2 memory.pressure, from the "0::<path>" line of /proc/self/cgroup.
std::optional<std::string> ownCgroupPressurePath(const std::string& root) {
    const auto text = readWholeFile(joinPath(root, "proc/self/cgroup"));
    if (!text) return std::nullopt;
    std::size_t start = 0;
    while (start < text->size()) {
        std::size_t end = text->find('\n', start);
        if (end == std::string::npos) end = text->size();
        const std::string line = text->substr(start, end - start);
        start = end + 1;
        if (line.rfind("0::", 0) != 0) continue;
        std::string group = line.substr(3);
        while (!group.empty() && group.front() == '/') group.erase(0, 1);
        std::string path = joinPath(root, "sys/fs/cgroup/");
        if (!group.empty()) path += group + "/";
        return path + "memory.pressure";
    }
    return std::nullopt;
}

PressureEventFlags flagsFor(std::optional<PressureLevel> kernelLevel) {
    PressureEventFlags flags;
    if (kernelLevel == PressureLevel::critical) {
        flags.critical = true;
    } else if (kernelLevel == PressureLevel::elevated) {
        flags.warning = true;
    } else {
        flags.normal = true;
    }
    return flags;
}

} // namespace

namespace {

/// The descriptors the waiter polls; shared so a waiter detached by a stop from inside its own
/// callback keeps them open until it ends.
struct Channel {
    UniqueFd trigger;
    UniqueFd wake;
};

void waitForEvents(const Channel& channel, const PressureMonitor::OnChange& onChange) {
    for (;;) {
        pollfd fds[2] = {{channel.trigger.get(), POLLPRI, 0}, {channel.wake.get(), POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if ((fds[1].revents & POLLIN) != 0) return;
        if ((fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) return; // the pressure file went away
        if ((fds[0].revents & POLLPRI) == 0) continue;
        std::optional<PressureLevel> kernelLevel;
        if (auto text = preadAll(channel.trigger)) kernelLevel = psiKernelLevel(*text);
        try {
            onChange(PressureMonitor::level(flagsFor(kernelLevel)));
        } catch (...) {
            // The receiver's failure must not end monitoring.
        }
    }
}

} // namespace

/// A PSI trigger and the thread that waits on it.
struct PressureMonitor::Source {
    std::shared_ptr<Channel> channel;
    std::thread waiter;
};

PressureMonitor::PressureMonitor(OnChange onChange, std::string root)
    : onChange_(std::move(onChange)), root_(std::move(root)) {}

PressureMonitor::~PressureMonitor() {
    stop();
}

void PressureMonitor::start() {
    std::lock_guard lock(mutex_);
    if (source_) return;
    UniqueFd trigger = openTrigger(joinPath(root_, "proc/pressure/memory"));
    if (!trigger) {
        if (auto cgroupPath = ownCgroupPressurePath(root_)) trigger = openTrigger(*cgroupPath);
    }
    if (!trigger) return; // no notifier here; the periodic sample still runs
    UniqueFd wake(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
    if (!wake) return;
    auto channel = std::make_shared<Channel>(Channel{std::move(trigger), std::move(wake)});
    auto source = std::make_unique<Source>();
    source->channel = channel;
    source->waiter = std::thread([channel, onChange = onChange_] { waitForEvents(*channel, onChange); });
    source_ = std::move(source);
}

void PressureMonitor::stop() {
    std::unique_ptr<Source> source;
    {
        std::lock_guard lock(mutex_);
        source = std::move(source_);
    }
    if (!source) return;
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(source->channel->wake.get(), &one, sizeof one);
    if (source->waiter.get_id() == std::this_thread::get_id()) {
        // Stopped from inside the callback: the waiter ends on its own once the callback returns,
        // holding its channel until then.
        source->waiter.detach();
        return;
    }
    source->waiter.join();
}

} // namespace corvane
