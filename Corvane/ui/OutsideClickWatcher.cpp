#include "OutsideClickWatcher.h"

#include "linux/XRawButtonPresses.h"

#include <QCursor>

namespace corvane {

OutsideClickWatcher::OutsideClickWatcher(QObject* parent) : QObject(parent) {}

OutsideClickWatcher::~OutsideClickWatcher() = default;

void OutsideClickWatcher::start() {
    if (presses_) return;
    presses_ = XRawButtonPresses::select([this] { emit pressed(QCursor::pos()); });
}

void OutsideClickWatcher::stop() {
    presses_.reset();
}

} // namespace corvane
