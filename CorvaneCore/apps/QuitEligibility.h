#pragma once

#include "apps/AppGroup.h"

namespace corvane {

/// Whether the user may quit or force-quit `group` at all: a regular application that is not
/// protected. A caution verdict does not forbid it.
inline bool isQuitEligible(const AppGroup& group) {
    return group.isRegularApp && !group.safety.isProtected();
}

} // namespace corvane
