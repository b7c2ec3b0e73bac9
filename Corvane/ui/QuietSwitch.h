#pragma once

#include "DashControl.h"

#include "views/DashFooter.h"

namespace corvane {

/// The footer's quiet switch: a small switch and its label, on while alerts are paused.
class QuietSwitch final : public DashControl {
    Q_OBJECT

public:
    explicit QuietSwitch(QWidget* parent = nullptr);

    /// Draws the switch for the model's `paused` flag.
    void display(bool paused);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace corvane
