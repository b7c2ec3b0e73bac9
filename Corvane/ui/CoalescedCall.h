#pragma once

#include <QObject>

#include <functional>
#include <memory>

namespace corvane {

/// Runs an action on the thread of a context object, later, at most once for all the requests
/// made before it runs, whichever threads they come from. Requests after this object is gone do
/// nothing, and neither does a call still queued then.
class CoalescedCall {
public:
    /// `context` must outlive this object; `action` runs on its thread.
    CoalescedCall(QObject* context, std::function<void()> action);
    ~CoalescedCall();
    CoalescedCall(const CoalescedCall&) = delete;
    CoalescedCall& operator=(const CoalescedCall&) = delete;

    /// A function that requests the call; safe from any thread, also after this object is gone.
    std::function<void()> requester() const;

private:
    struct State;
    std::shared_ptr<State> state_;
};

} // namespace corvane
