#include "DesktopSwitchWatcher.h"

#include "linux/XCurrentDesktop.h"

namespace corvane {

DesktopSwitchWatcher::DesktopSwitchWatcher(QObject* parent)
    : QObject(parent), desktop_(XCurrentDesktop::watch([this] { emit switched(); })) {}

DesktopSwitchWatcher::~DesktopSwitchWatcher() = default;

} // namespace corvane
