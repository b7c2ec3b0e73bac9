#include "DashboardView.h"

#include "DashHeader.h"
#include "DashLabels.h"
#include "DashStyle.h"
#include "HomeBody.h"

#include "views/DashHeader.h"

#include <QChildEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include <cmath>

namespace corvane {

namespace {

void callIfSet(const std::function<void()>& action) {
    if (action) action();
}

/// Lays out `widget` and its descendants deepest first, so that a change far down reaches the
/// panel's size now rather than one event-loop turn per level of nesting.
void layOutNow(QWidget* widget) {
    for (QObject* child : widget->children()) {
        if (child->isWidgetType()) layOutNow(static_cast<QWidget*>(child));
    }
    if (widget->layout() != nullptr) widget->layout()->activate();
}

} // namespace

DashboardView::DashboardView(std::shared_ptr<AppModel> model, DashboardContext context, DashboardBodyFactory bodies,
                             QWidget* parent)
    : QWidget(parent), model_(std::move(model)), context_(std::move(context)), bodies_(std::move(bodies)),
      bridge_(model_), layout_(new QVBoxLayout(this)),
      header_(new DashHeader([this] { callIfSet(context_.onSettings); }, [this] { callIfSet(context_.onClose); }, this)) {
    watchClicks(this);
    setAccessibleName(qtText(dashboardA11yLabel));
    setFixedWidth(static_cast<int>(std::lround(context_.width)));
    const int pad = DashStyle::panelPadding;
    const int top = context_.style == IslandStyle::notch ? static_cast<int>(std::lround(context_.headerHeight)) : pad;
    layout_->setContentsMargins(pad, top, pad, pad);
    layout_->setSpacing(DashStyle::sectionSpacing);
    layout_->setSizeConstraint(QLayout::SetNoConstraint);
    layout_->addWidget(header_);
    connect(&bridge_, &ModelBridge::changed, this, &DashboardView::refresh);
    showBody(model_->mode());
    refresh();
    reportedHeight_ = fittingHeight();
}

DashboardView::~DashboardView() = default;

QPainterPath DashboardView::panelShape(const QSizeF& size, IslandStyle style) {
    const double r = DashStyle::cornerRadius;
    const QRectF box(QPointF(0, 0), size);
    QPainterPath path;
    if (dashboardRoundedCorners(style) == RoundedCorners::all) {
        path.addRoundedRect(box, r, r);
        return path;
    }
    path.moveTo(box.topLeft());
    path.lineTo(box.topRight());
    path.lineTo(box.right(), box.bottom() - r);
    path.arcTo(QRectF(box.right() - 2 * r, box.bottom() - 2 * r, 2 * r, 2 * r), 0, -90);
    path.lineTo(box.left() + r, box.bottom());
    path.arcTo(QRectF(box.left(), box.bottom() - 2 * r, 2 * r, 2 * r), 270, -90);
    path.closeSubpath();
    return path;
}

QSize DashboardView::sizeHint() const {
    return {static_cast<int>(std::lround(context_.width)), fittingHeight()};
}

int DashboardView::fittingHeight() const {
    const int width = static_cast<int>(std::lround(context_.width));
    return layout_->hasHeightForWidth() ? layout_->totalHeightForWidth(width) : layout_->totalSizeHint().height();
}

void DashboardView::showBody(DashboardMode mode) {
    DashboardBody* next = nullptr;
    if (mode == DashboardMode::home) {
        next = new HomeBody(model_, context_, this);
    } else if (bodies_) {
        next = bodies_(mode, this);
    }
    if (body_ != nullptr) {
        layout_->removeWidget(body_);
        body_->hide();
        body_->deleteLater();
    }
    body_ = next;
    bodyMode_ = mode;
    if (body_ != nullptr) layout_->addWidget(body_);
}

void DashboardView::refresh() {
    const AppModel& m = *model_;
    if (m.mode() != bodyMode_) showBody(m.mode());
    header_->display(headerSummary(!m.aiRows().empty(), m.attentionCount(), m.verdict().level));
    if (body_ != nullptr) body_->refresh();
    layOutNow(this);
    const int height = fittingHeight();
    if (height != reportedHeight_) {
        reportedHeight_ = height;
        callIfSet(context_.onLayoutChange);
    }
}

void DashboardView::watchClicks(QObject* object) {
    object->installEventFilter(this);
    for (QObject* child : object->children()) watchClicks(child);
}

bool DashboardView::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ChildAdded:
        watchClicks(static_cast<QChildEvent*>(event)->child());
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        // A press reaches the deepest widget under the pointer first and its parents only when
        // passed on; it counts once, at that first widget.
        const auto* press = static_cast<QMouseEvent*>(event);
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->childAt(press->position().toPoint()) == nullptr) callIfSet(context_.onInteract);
        break;
    }
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}

void DashboardView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(panelShape(size(), context_.style), DashStyle::panelColor);
}

void DashboardView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
    bridge_.setActive(true);
}

void DashboardView::hideEvent(QHideEvent* event) {
    bridge_.setActive(false);
    QWidget::hideEvent(event);
}

} // namespace corvane
