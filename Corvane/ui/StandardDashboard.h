#pragma once

#include "DashboardView.h"

#include <memory>

namespace corvane {

/// The dashboard the island shows: its home screen and the optimize and clean bodies, for
/// `model` while it lives. Null once the model is gone.
std::unique_ptr<DashboardView> makeStandardDashboard(const std::weak_ptr<AppModel>& model,
                                                     const DashboardContext& context);

} // namespace corvane
