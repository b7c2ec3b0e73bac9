#include "HoverStrip.h"

#include "island/HoverStripPlacement.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <cmath>

namespace corvane {

HoverStrip::HoverStrip(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, &HoverStrip::followPrimaryScreen);
    followPrimaryScreen(QGuiApplication::primaryScreen());
}

void HoverStrip::setPresent(bool present) {
    if (present) {
        place();
        show();
    } else {
        hide();
    }
}

void HoverStrip::followPrimaryScreen(QScreen* screen) {
    disconnect(geometryConnection_);
    disconnect(availableGeometryConnection_);
    if (screen != nullptr) {
        geometryConnection_ = connect(screen, &QScreen::geometryChanged, this, &HoverStrip::place);
        availableGeometryConnection_ = connect(screen, &QScreen::availableGeometryChanged, this, &HoverStrip::place);
    }
    place();
}

void HoverStrip::place() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect frame = screen->geometry();
    const HoverStripPlacement strip =
        hoverStripPlacement(frame.x(), frame.width(), screen->availableGeometry().top() - frame.top());
    setGeometry(static_cast<int>(std::lround(strip.x)), frame.top() + static_cast<int>(std::lround(strip.belowTop)),
                static_cast<int>(std::lround(strip.width)), static_cast<int>(std::lround(strip.height)));
}

void HoverStrip::enterEvent(QEnterEvent*) {
    emit entered();
}

void HoverStrip::leaveEvent(QEvent*) {
    emit exited();
}

void HoverStrip::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit clicked();
}

void HoverStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), QColor(0, 0, 0, 3));
}

} // namespace corvane
