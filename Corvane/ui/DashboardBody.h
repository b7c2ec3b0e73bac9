#pragma once

#include <QWidget>

namespace corvane {

/// A body of the dashboard drawn from the model; the dashboard calls `refresh` once per
/// event-loop turn after the model changed.
class DashboardBody : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

    /// Draws the model's current state.
    virtual void refresh() = 0;
};

} // namespace corvane
