#pragma once

#include <QWidget>

#include <functional>

namespace corvane {

class QuietSwitch;

/// The home body's footer: the system monitor, the settings and the quiet switch.
class DashFooter final : public QWidget {
    Q_OBJECT

public:
    DashFooter(std::function<void()> onActivityMonitor, std::function<void()> onSettings,
               std::function<void()> onToggleQuiet, QWidget* parent = nullptr);

    /// Draws the quiet switch for the model's `paused` flag.
    void display(bool paused);

private:
    QuietSwitch* quiet_;
};

} // namespace corvane
