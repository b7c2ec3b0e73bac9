#pragma once

#include "DashControl.h"

#include "views/IdleStat.h"

namespace corvane {

/// The idle-software figure of the memory column; while something can be reclaimed it is a
/// button ending in "腾出" that starts the one-click path.
class IdleStatPanel final : public DashControl {
    Q_OBJECT

public:
    explicit IdleStatPanel(QWidget* parent = nullptr);

    void display(const IdleStatView& view);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    bool hitButton(const QPoint& pos) const override;
    void paintEvent(QPaintEvent* event) override;

private:
    IdleStatView view_;
};

} // namespace corvane
