#include "app/TimerPlan.h"

namespace corvane {

TimerPlan timerPlan(bool islandOpen, bool lowPowerMode) {
    const double factor = lowPowerMode ? 2 : 1;
    TimerPlan plan;
    plan.memory = islandOpen ? TimerSpec{factor * 1, 0.2} : TimerSpec{factor * 45, 8};
    plan.ai = islandOpen ? TimerSpec{factor * 5, 1} : TimerSpec{factor * 25, 8};
    return plan;
}

} // namespace corvane
