#pragma once

#include <QObject>

#include <memory>

namespace corvane {

class XCurrentDesktop;

/// Tells when the user switches to another virtual desktop (on X11 the window manager's
/// `_NET_CURRENT_DESKTOP`, followed by events, never by polling). Silent where the window system
/// has no virtual desktops to follow. Main thread only.
class DesktopSwitchWatcher final : public QObject {
    Q_OBJECT

public:
    explicit DesktopSwitchWatcher(QObject* parent = nullptr);
    ~DesktopSwitchWatcher() override;
    DesktopSwitchWatcher(const DesktopSwitchWatcher&) = delete;
    DesktopSwitchWatcher& operator=(const DesktopSwitchWatcher&) = delete;

signals:
    /// Another virtual desktop became the current one.
    void switched();

private:
    std::unique_ptr<XCurrentDesktop> desktop_;
};

} // namespace corvane
