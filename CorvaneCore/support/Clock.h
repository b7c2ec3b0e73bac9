#pragma once

#include "support/Date.h"

#include <functional>

namespace corvane {

/// An injected source of the current time. Services take one so tests can replace the clock;
/// it must be safe to call from any thread.
using Clock = std::function<Date()>;

/// The system's wall clock.
Clock systemClock();

} // namespace corvane
