#pragma once

#include "apps/AppGroup.h"
#include "apps/AppTerminating.h"

namespace corvane::ForceQuit {

/// Force-ends every member of one group the user chose; false without any call when the group is
/// not regular, protected or empty, otherwise true when at least one member was ended.
bool run(const AppGroup& group, AppForceTerminating& terminator);

} // namespace corvane::ForceQuit
