#pragma once

#include "memory/PressureLevel.h"

#include <optional>
#include <string_view>

namespace corvane {

/// The kernel's pressure level from the text of a PSI file (/proc/pressure/memory or a cgroup's
/// memory.pressure): critical when full avg10 ≥ 10 or some avg10 ≥ 40; elevated when
/// some avg10 ≥ 10 or full avg10 ≥ 2; otherwise absent (the byte figures then decide).
/// Text without a readable "some" or "full" line yields absent.
std::optional<PressureLevel> psiKernelLevel(std::string_view text);

} // namespace corvane
