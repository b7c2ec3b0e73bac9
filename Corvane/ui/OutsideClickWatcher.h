#pragma once

#include <QObject>
#include <QPoint>

#include <memory>

namespace corvane {

class XRawButtonPresses;

/// Reports left and right button presses anywhere on the display while started, without taking
/// them from the window they go to (on X11 through XInput 2 raw events on the root window). The
/// island starts it while the dashboard is pinned; stopped, it selects nothing and costs nothing.
/// Does nothing where the window system offers no such events. One per application: the X server
/// keeps one such selection per client. Main thread only.
class OutsideClickWatcher final : public QObject {
    Q_OBJECT

public:
    explicit OutsideClickWatcher(QObject* parent = nullptr);
    ~OutsideClickWatcher() override;
    OutsideClickWatcher(const OutsideClickWatcher&) = delete;
    OutsideClickWatcher& operator=(const OutsideClickWatcher&) = delete;

    /// Starts reporting presses; starting again changes nothing.
    void start();
    /// Stops reporting presses; stopping again changes nothing.
    void stop();
    /// True while presses are reported: started, on a window system that offers them.
    bool started() const { return presses_ != nullptr; }

signals:
    /// A button went down; `global` is where the pointer is (Qt's global coordinates).
    void pressed(QPoint global);

private:
    std::unique_ptr<XRawButtonPresses> presses_;
};

} // namespace corvane
