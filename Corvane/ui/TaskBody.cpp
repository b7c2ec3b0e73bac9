#include "TaskBody.h"

#include "TaskScreenFrame.h"
#include "app/AppModel.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace corvane {

TaskBody::TaskBody(std::shared_ptr<AppModel> model, const DashboardContext& context, std::string_view listA11y,
                   std::string_view confirmTitle, QWidget* parent)
    : DashboardBody(parent), model_(std::move(model)), context_(context),
      frame_(new TaskScreenFrame(listA11y, confirmTitle, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(frame_);
    connect(frame_->backButton(), &QPushButton::clicked, this, [this] { model_->backHome(); });
}

} // namespace corvane
