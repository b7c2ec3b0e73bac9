#pragma once

#include "CoalescedCall.h"

#include "app/AppModel.h"

#include <QObject>

#include <memory>

namespace corvane {

/// Tells the dashboard that the model changed: however many fields change during one turn of
/// the event loop, `changed` is emitted once, on the next turn. While inactive (the dashboard
/// is closed) the bridge does not listen at all, so nothing is redrawn.
class ModelBridge final : public QObject {
    Q_OBJECT

public:
    /// Starts inactive.
    explicit ModelBridge(std::shared_ptr<AppModel> model, QObject* parent = nullptr);
    ~ModelBridge() override;
    ModelBridge(const ModelBridge&) = delete;
    ModelBridge& operator=(const ModelBridge&) = delete;

    /// Listens to the model or stops; a change still waiting to be told is dropped on stopping.
    /// Becoming active tells nothing by itself: the dashboard draws the current state when it
    /// is shown.
    void setActive(bool active);
    bool isActive() const { return active_; }

signals:
    void changed();

private:
    std::shared_ptr<AppModel> model_;
    CoalescedCall call_;
    Subscription subscription_;
    bool active_{false};
};

} // namespace corvane
