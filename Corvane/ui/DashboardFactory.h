#pragma once

#include "IslandController.h"

#include "app/AppModel.h"

#include <memory>

namespace corvane {

/// Builds the real dashboard for each opening of the island: the home screen, with the optimise
/// and clean bodies made when the user switches to them. Builds nothing once `model` is gone.
IslandController::DashboardFactory makeDashboardFactory(std::weak_ptr<AppModel> model);

} // namespace corvane
