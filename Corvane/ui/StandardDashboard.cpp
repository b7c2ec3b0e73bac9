#include "StandardDashboard.h"

#include "CleanBody.h"
#include "OptimizeBody.h"

namespace corvane {

std::unique_ptr<DashboardView> makeStandardDashboard(const std::weak_ptr<AppModel>& model,
                                                     const DashboardContext& context) {
    const auto shared = model.lock();
    if (!shared) return nullptr;
    // The bodies hold the model weakly, so a dashboard left behind never keeps it alive.
    auto makeBody = [model, context](DashboardMode mode, QWidget* parent) -> DashboardBody* {
        const auto current = model.lock();
        if (!current || mode == DashboardMode::home) return nullptr;
        if (mode == DashboardMode::optimize) return new OptimizeBody(current, context, parent);
        return new CleanBody(current, context, parent);
    };
    return std::make_unique<DashboardView>(shared, context, makeBody);
}

} // namespace corvane
