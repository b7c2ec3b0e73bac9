#include "IslandPanel.h"

#include "IslandStyle.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QWindow>

#include <algorithm>

namespace corvane {

namespace {

constexpr Qt::WindowFlags panelFlags =
    Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus;

QPainterPath shapePath(const QRectF& box, RoundedCorners corners, double radius) {
    const double r = std::clamp(radius, 0.0, std::min(box.width(), box.height()) / 2);
    QPainterPath path;
    if (corners == RoundedCorners::all) {
        path.addRoundedRect(box, r, r);
        return path;
    }
    // Square top corners, flush with the screen's top edge.
    path.moveTo(box.topLeft());
    path.lineTo(box.topRight());
    path.lineTo(box.right(), box.bottom() - r);
    path.quadTo(box.bottomRight(), QPointF(box.right() - r, box.bottom()));
    path.lineTo(box.left() + r, box.bottom());
    path.quadTo(box.bottomLeft(), QPointF(box.left(), box.bottom() - r));
    path.closeSubpath();
    return path;
}

} // namespace

IslandPanel::IslandPanel(bool translucent) : QWidget(nullptr, panelFlags), translucent_(translucent) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground, translucent_);
    setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);
}

void IslandPanel::setContent(QWidget* content, Placement placement) {
    content_ = content;
    placement_ = placement;
    content->setParent(this);
    placeContent();
    content->show();
}

void IslandPanel::setShape(RoundedCorners corners, double radius) {
    if (corners == corners_ && radius == radius_) return;
    corners_ = corners;
    radius_ = radius;
    updateMask();
    update();
}

void IslandPanel::setAllowKey(bool allow) {
    if (allow == allowKey_) return;
    allowKey_ = allow;
    const Qt::WindowFlags flags = allow ? panelFlags & ~Qt::WindowDoesNotAcceptFocus : panelFlags;
    // Changing the flags through the widget would unmap and remap the window; the window
    // system's window takes them as they are, and the widget is told without acting on them.
    overrideWindowFlags(flags | (windowFlags() & Qt::WindowTransparentForInput));
    if (QWindow* window = windowHandle()) window->setFlags(windowFlags());
    setAttribute(Qt::WA_ShowWithoutActivating, !allow);
    if (allow && isVisible()) {
        raise();
        activateWindow();
        setFocus(Qt::ActiveWindowFocusReason);
    }
}

void IslandPanel::makeGhost() {
    setWindowFlag(Qt::WindowTransparentForInput);
    setWindowOpacity(0);
}

void IslandPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!translucent_) {
        // The mask cuts the shape; every pixel it leaves is panel.
        painter.fillRect(rect(), IslandLook::panelColor);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.fillPath(shapePath(QRectF(rect()), corners_, radius_), IslandLook::panelColor);
}

void IslandPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeContent();
    updateMask();
}

void IslandPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!watchingPresses_ && windowHandle() != nullptr) {
        windowHandle()->installEventFilter(this);
        watchingPresses_ = true;
    }
}

void IslandPanel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        onEscape();
        return;
    }
    QWidget::keyPressEvent(event);
}

void IslandPanel::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    onEnter();
}

void IslandPanel::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    onExit();
}

bool IslandPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle() && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        onPress();
    }
    return QWidget::eventFilter(watched, event);
}

void IslandPanel::placeContent() {
    if (!content_) return;
    if (placement_ == Placement::fill) {
        content_->setGeometry(rect());
    } else {
        content_->move((width() - content_->width()) / 2, 0);
    }
}

void IslandPanel::updateMask() {
    // With a compositor the antialiased corners are drawn see-through instead.
    if (translucent_) return;
    const QPainterPath path = shapePath(QRectF(rect()), corners_, radius_);
    setMask(QRegion(path.toFillPolygon().toPolygon()));
}

} // namespace corvane
