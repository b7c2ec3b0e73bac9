#pragma once

#include "support/Date.h"

#include <optional>

namespace corvane {

/// Lets an alert through at most once per `interval` seconds.
struct AlertThrottle {
    double interval{};
    std::optional<Date> last;

    /// False while the last firing is less than `interval` ago; otherwise records `now` and
    /// returns true.
    bool shouldFire(Date now) {
        if (last && secondsBetween(*last, now) < interval) return false;
        last = now;
        return true;
    }
};

} // namespace corvane
