#include "apps/linux/X11FrontmostWatcher.h"

#include "apps/linux/AppIdentity.h"
#include "apps/linux/X11Connection.h"
#include "support/UniqueFd.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <thread>

namespace corvane {

namespace {

std::optional<std::string> activeIdentity(X11Connection& x, const std::string& procRoot) {
    const auto window = x.activeWindow();
    if (!window) return std::nullopt;
    const ClientWindow facts = x.describe(*window);
    // A window whose owner is not established speaks for no application, whatever its class says.
    if (!facts.pid) return std::nullopt;
    return processIdentity(*facts.pid, facts.windowClass, procRoot);
}

class X11Observation final : public FrontmostWatching::Observation {
public:
    X11Observation(std::unique_ptr<X11Connection> x, UniqueFd wake, std::string procRoot,
                   FrontmostWatching::ActivationHandler handler)
        : x_(std::move(x)), wake_(std::move(wake)), procRoot_(std::move(procRoot)), handler_(std::move(handler)),
          reader_([this] { run(); }) {}

    ~X11Observation() override {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = ::write(wake_.get(), &one, sizeof one);
        reader_.join();
    }

private:
    void run() {
        pollfd fds[2] = {{xcb_get_file_descriptor(x_->xcb()), POLLIN, 0}, {wake_.get(), POLLIN, 0}};
        while (!x_->broken()) {
            bool activeChanged = false;
            while (xcb_generic_event_t* event = xcb_poll_for_event(x_->xcb())) {
                if ((event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY) {
                    const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
                    activeChanged = activeChanged || notify->atom == x_->ewmh()->_NET_ACTIVE_WINDOW;
                }
                std::free(event);
            }
            if (activeChanged) {
                handler_(activeIdentity(*x_, procRoot_));
                // Its round trips may have queued events that the descriptor will not signal again.
                continue;
            }
            if (::poll(fds, 2, -1) < 0 && errno != EINTR) return;
            if ((fds[1].revents & POLLIN) != 0) return;
        }
    }

    std::unique_ptr<X11Connection> x_;
    UniqueFd wake_;
    std::string procRoot_;
    FrontmostWatching::ActivationHandler handler_;
    std::thread reader_; // last: starts once everything it uses exists
};

} // namespace

X11FrontmostWatcher::X11FrontmostWatcher(std::string procRoot) : procRoot_(std::move(procRoot)) {}

std::optional<std::string> X11FrontmostWatcher::frontmostIdentity() {
    const auto x = X11Connection::open();
    if (!x) return std::nullopt;
    return activeIdentity(*x, procRoot_);
}

std::unique_ptr<FrontmostWatching::Observation> X11FrontmostWatcher::observe(ActivationHandler handler) {
    auto x = X11Connection::open();
    if (!x) return nullptr;
    UniqueFd wake(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
    if (!wake) return nullptr;
    const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(x->xcb(), x->root(), XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x->xcb());
    return std::make_unique<X11Observation>(std::move(x), std::move(wake), procRoot_, std::move(handler));
}

std::shared_ptr<FrontmostWatching> makeSystemFrontmostWatcher() {
    return std::make_shared<X11FrontmostWatcher>();
}

} // namespace corvane
