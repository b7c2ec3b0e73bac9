#include "memory/PressureLevel.h"

namespace corvane {

std::string_view rawValue(PressureLevel level) {
    switch (level) {
    case PressureLevel::normal: return "normal";
    case PressureLevel::elevated: return "elevated";
    case PressureLevel::critical: return "critical";
    }
    return "normal";
}

std::optional<PressureLevel> pressureLevelFromRaw(std::string_view raw) {
    for (auto level : {PressureLevel::normal, PressureLevel::elevated, PressureLevel::critical}) {
        if (rawValue(level) == raw) return level;
    }
    return std::nullopt;
}

} // namespace corvane
