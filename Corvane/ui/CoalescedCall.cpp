#include "CoalescedCall.h"

#include <QMetaObject>

#include <mutex>

namespace corvane {

struct CoalescedCall::State {
    std::mutex mutex;
    QObject* context{}; // null once the owner is gone
    bool queued{false};
    std::function<void()> action; // used on the context's thread only

    void request(const std::shared_ptr<State>& self) {
        std::lock_guard lock(mutex);
        if (context == nullptr || queued) return;
        queued = true;
        // Posting under the lock: the owner cannot go (and its context with it) meanwhile.
        QMetaObject::invokeMethod(
            context,
            [weak = std::weak_ptr(self)] {
                const auto state = weak.lock();
                if (!state) return;
                {
                    std::lock_guard lock(state->mutex);
                    if (state->context == nullptr) return;
                    state->queued = false;
                }
                state->action();
            },
            Qt::QueuedConnection);
    }
};

CoalescedCall::CoalescedCall(QObject* context, std::function<void()> action) : state_(std::make_shared<State>()) {
    state_->context = context;
    state_->action = std::move(action);
}

CoalescedCall::~CoalescedCall() {
    std::lock_guard lock(state_->mutex);
    state_->context = nullptr;
}

std::function<void()> CoalescedCall::requester() const {
    return [weak = std::weak_ptr(state_)] {
        if (const auto state = weak.lock()) state->request(state);
    };
}

} // namespace corvane
