#pragma once

#include <QWidget>

namespace corvane {

/// The body of the dashboard for one mode. The dashboard calls `refresh` once per event-loop turn
/// after the model changed; a body redraws from the model there and nowhere else.
class DashboardBody : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;
    virtual void refresh() = 0;
};

} // namespace corvane
