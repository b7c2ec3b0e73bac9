#include "ModelBridge.h"

namespace corvane {

ModelBridge::ModelBridge(std::shared_ptr<AppModel> model, QObject* parent)
    : QObject(parent), model_(std::move(model)), call_(this, [this] {
          if (active_) emit changed();
      }) {}

ModelBridge::~ModelBridge() = default;

void ModelBridge::setActive(bool active) {
    if (active_ == active) return;
    active_ = active;
    if (!active) {
        subscription_.cancel();
        return;
    }
    subscription_ = model_->observe([request = call_.requester()](AppModel::Field) { request(); });
}

} // namespace corvane
