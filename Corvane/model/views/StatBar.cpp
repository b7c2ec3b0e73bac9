#include "views/StatBar.h"

namespace corvane {

BarLevel barLevel(PressureLevel level) {
    switch (level) {
    case PressureLevel::normal: return BarLevel::normal;
    case PressureLevel::elevated: return BarLevel::elevated;
    case PressureLevel::critical: return BarLevel::critical;
    }
    return BarLevel::normal;
}

ViewTint tint(BarLevel level) {
    switch (level) {
    case BarLevel::normal: return ViewTint::green;
    case BarLevel::elevated: return ViewTint::orange;
    case BarLevel::critical: return ViewTint::red;
    }
    return ViewTint::green;
}

} // namespace corvane
