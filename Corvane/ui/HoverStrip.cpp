#include "HoverStrip.h"

#include "island/HoverStripPlacement.h"
#include "linux/XPointerStrip.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace corvane {

HoverStrip::HoverStrip(QObject* parent)
    : QObject(parent),
      window_(XPointerStrip::create({[this] { emit entered(); }, [this] { emit exited(); },
                                     [this] { emit clicked(); }})) {
    connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, &HoverStrip::followPrimaryScreen);
    followPrimaryScreen(QGuiApplication::primaryScreen());
}

HoverStrip::~HoverStrip() = default;

void HoverStrip::setPresent(bool present) {
    if (!window_) return;
    if (present) {
        place();
        window_->show();
    } else {
        window_->hide();
    }
}

bool HoverStrip::pointerInside() const {
    return window_ && window_->pointerInside();
}

std::uint32_t HoverStrip::windowId() const {
    return window_ ? window_->window() : 0;
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
    if (screen == nullptr || !window_) return;
    const QRect frame = screen->geometry();
    const HoverStripPlacement strip =
        hoverStripPlacement(frame.x(), frame.width(), screen->availableGeometry().top() - frame.top());
    // The window system counts in device pixels; a scaled screen keeps its origin and scales
    // what lies within.
    const double scale = screen->devicePixelRatio();
    const auto pixels = [scale](double logical) { return static_cast<int>(std::lround(logical * scale)); };
    window_->place(frame.x() + pixels(strip.x - frame.x()), frame.top() + pixels(strip.belowTop), pixels(strip.width),
                   pixels(strip.height));
}

} // namespace corvane
