#pragma once

#include "support/Clock.h"

#include <memory>
#include <mutex>

namespace corvane::test {

/// A clock that moves only when told to. Copies of `clock()` follow this object; safe from any thread.
class ManualClock {
public:
    explicit ManualClock(Date start = dateFromUnixSeconds(1'800'000'000)) : state_(std::make_shared<State>(start)) {}

    Date now() const {
        std::lock_guard lock(state_->mutex);
        return state_->now;
    }
    void advance(double seconds) {
        std::lock_guard lock(state_->mutex);
        state_->now = addingSeconds(state_->now, seconds);
    }
    void set(Date date) {
        std::lock_guard lock(state_->mutex);
        state_->now = date;
    }
    Clock clock() const {
        return [state = state_] {
            std::lock_guard lock(state->mutex);
            return state->now;
        };
    }

private:
    struct State {
        explicit State(Date start) : now(start) {}
        std::mutex mutex;
        Date now;
    };
    std::shared_ptr<State> state_;
};

} // namespace corvane::test
