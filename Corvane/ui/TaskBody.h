#pragma once

#include "DashboardBody.h"
#include "views/DashboardContext.h"

#include <memory>
#include <string_view>

namespace corvane {

class AppModel;
class TaskScreenFrame;

/// What the optimize and clean screens share: the model, the dashboard's context and the
/// screen's frame, whose "返回" takes the model home.
class TaskBody : public DashboardBody {
protected:
    TaskBody(std::shared_ptr<AppModel> model, const DashboardContext& context, std::string_view listA11y,
             std::string_view confirmTitle, QWidget* parent);

    std::shared_ptr<AppModel> model_;
    DashboardContext context_;
    TaskScreenFrame* frame_;
};

} // namespace corvane
