#include "DashboardFactory.h"

#include "CleanBody.h"
#include "DashboardView.h"
#include "OptimizeBody.h"

#include <utility>

namespace corvane {

IslandController::DashboardFactory makeDashboardFactory(std::weak_ptr<AppModel> model) {
    return [weakModel = std::move(model)](const DashboardContext& context) -> std::unique_ptr<QWidget> {
        const auto model = weakModel.lock();
        if (!model) return nullptr;
        auto makeBody = [weakModel, context](DashboardMode mode, QWidget* parent) -> DashboardBody* {
            const auto model = weakModel.lock();
            if (!model || mode == DashboardMode::home) return nullptr;
            if (mode == DashboardMode::optimize) return new OptimizeBody(model, context, parent);
            return new CleanBody(model, context, parent);
        };
        return std::make_unique<DashboardView>(model, context, makeBody);
    };
}

} // namespace corvane
