#pragma once

#include "DashControl.h"

#include "app/AIRows.h"

#include <QVariantAnimation>

namespace corvane {

/// One row of the AI section: the tool's icon, the title and the subtitle, whose minutes count
/// up to each new value. A row with a session is a button that jumps to it.
class AIRowView final : public DashControl {
    Q_OBJECT

public:
    explicit AIRowView(QWidget* parent = nullptr);

    /// Draws `row`; with `animate` false a changed minute count shows its new value at once.
    void display(const AIRow& row, bool hovered, bool animate);
    const AIRow& row() const { return row_; }
    /// The minute count drawn now (between the old and the new value while counting).
    int shownMinutes() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    AIRow row_;
    QVariantAnimation counting_;
};

} // namespace corvane
