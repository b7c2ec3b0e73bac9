#pragma once

#include "DashboardBody.h"
#include "ModelBridge.h"

#include "app/AppModel.h"
#include "app/DashboardMode.h"
#include "views/DashboardContext.h"

#include <QPainterPath>
#include <QWidget>

#include <functional>
#include <memory>

class QVBoxLayout;

namespace corvane {

class DashHeader;

/// Makes the body of the optimize or the clean screen, parented to `parent`.
using DashboardBodyFactory = std::function<DashboardBody*(DashboardMode, QWidget* parent)>;

/// The dashboard: a black panel of the context's width holding the header and the body of the
/// model's current screen. It redraws once per event-loop turn after model changes while it is
/// shown, reports its fitting height through `sizeHint` and the context's `onLayoutChange`
/// whenever that changes, and calls the context's `onInteract` on any click inside before the
/// click acts.
class DashboardView final : public QWidget {
    Q_OBJECT

public:
    DashboardView(std::shared_ptr<AppModel> model, DashboardContext context, DashboardBodyFactory bodies,
                  QWidget* parent = nullptr);
    ~DashboardView() override;
    DashboardView(const DashboardView&) = delete;
    DashboardView& operator=(const DashboardView&) = delete;

    /// The context's width and the height the content needs at it.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    /// The panel's outline at `size`: radius 24 on all corners when floating, only on the
    /// bottom ones in notch style. Also the window's mask where nothing composites.
    static QPainterPath panelShape(const QSizeF& size, IslandStyle style);

    /// The body shown now.
    DashboardBody* body() const { return body_; }
    /// Draws the model's current state now and reports a changed height.
    void refresh();
    ModelBridge& bridge() { return bridge_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    /// Calls `onInteract` on a press in `object` or any of its descendants, now and later.
    void watchClicks(QObject* object);
    void showBody(DashboardMode mode);
    int fittingHeight() const;

    std::shared_ptr<AppModel> model_;
    DashboardContext context_;
    DashboardBodyFactory bodies_;
    ModelBridge bridge_;
    QVBoxLayout* layout_;
    DashHeader* header_;
    DashboardBody* body_{nullptr};
    DashboardMode bodyMode_{DashboardMode::home};
    int reportedHeight_{0};
};

} // namespace corvane
