#pragma once

#include "views/StatBar.h"

#include <QWidget>

namespace corvane {

/// One labelled bar: the label on the left, the figure and the warn word on the right, and the
/// bar below, filled to its fraction in its level's colour.
class StatBarView final : public QWidget {
    Q_OBJECT

public:
    /// A `title` bar draws its label as a section title.
    explicit StatBarView(bool title, QWidget* parent = nullptr);

    /// Draws `bar` with `figure` (the value as the section shows it).
    void display(const StatBar& bar, const QString& figure);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont labelFont() const;

    bool title_;
    StatBar bar_;
    QString figure_;
};

} // namespace corvane
