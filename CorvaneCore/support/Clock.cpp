#include "support/Clock.h"

namespace corvane {

Clock systemClock() {
    return [] { return std::chrono::system_clock::now(); };
}

} // namespace corvane
