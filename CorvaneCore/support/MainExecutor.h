#pragma once

#include "support/Date.h"
#include "support/Executor.h"

#include <functional>
#include <memory>

namespace corvane {

/// A timer owned by a main executor. Cancelling is idempotent; destroying the handle cancels.
class TimerHandle {
public:
    virtual ~TimerHandle() = default;
    virtual void cancel() = 0;
};

/// The executor the application model is confined to: one thread (the user-interface thread in
/// the front end), with timers. `async` may be called from any thread; timers are created,
/// fire and are cancelled on the main executor only.
class MainExecutor : public Executor {
public:
    /// The executor's notion of now (virtual in tests).
    virtual Date now() const = 0;
    /// Calls `action` once, `delaySeconds` from now.
    virtual std::unique_ptr<TimerHandle> after(double delaySeconds, std::function<void()> action) = 0;
    /// Calls `action` every `intervalSeconds`, first one interval from now. `leewaySeconds` is
    /// how late a firing may be allowed to drift so the system can batch wake-ups.
    virtual std::unique_ptr<TimerHandle> every(double intervalSeconds, double leewaySeconds,
                                               std::function<void()> action) = 0;
};

} // namespace corvane
