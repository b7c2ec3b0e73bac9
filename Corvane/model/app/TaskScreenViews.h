#pragma once

#include "app/AppModel.h"
#include "views/CleanScreen.h"
#include "views/OptimizeScreen.h"

namespace corvane {

/// The optimize screen for the model's list, ticks and loading state; the footer's button is held
/// while a quit runs.
OptimizeScreenView optimizeScreen(const AppModel& model);

/// The clean screen for the model's disk report, ticks, scan and preference; the footer's button
/// is held while a clean runs.
CleanScreenView cleanScreen(const AppModel& model);

} // namespace corvane
