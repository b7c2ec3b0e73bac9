#pragma once

#include "symbols/Symbol.h"

#include <QCheckBox>
#include <QColor>
#include <QLabel>
#include <QString>

#include <optional>

namespace corvane {

/// What one row of a task screen's list shows: a title with an inline detail, a size at the right
/// end, an optional second line and an optional note with its icon.
struct TaskRowLook {
    QString title;
    /// Secondary text right after the title ("，占用 1.2 GB").
    QString inlineDetail;
    /// Secondary text at the right end (a size).
    QString trailing;
    /// A secondary line under the title (the idle time).
    QString subline;
    std::optional<Symbol> noteSymbol;
    QColor noteColor;
    QString note;
    /// Drawn hovered whatever the pointer does (off-screen snapshots).
    bool hoverDemo{false};

    bool operator==(const TaskRowLook&) const = default;
};

/// A row that can be ticked: a check box to assistive technology, drawn as the row; the whole row
/// takes the click.
class TaskCheckRow final : public QCheckBox {
    Q_OBJECT

public:
    TaskCheckRow(int height, QWidget* parent = nullptr);
    void setLook(const TaskRowLook& look);
    const TaskRowLook& look() const { return look_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool hitButton(const QPoint& pos) const override;
    void paintEvent(QPaintEvent* event) override;

private:
    TaskRowLook look_;
};

/// A row that cannot be ticked (locked, blocked or informative): static text to assistive
/// technology, drawn like the other rows with its note.
class TaskNoteRow final : public QLabel {
    Q_OBJECT

public:
    TaskNoteRow(int height, QWidget* parent = nullptr);
    void setLook(const TaskRowLook& look);
    const TaskRowLook& look() const { return look_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TaskRowLook look_;
};

/// A small heading over a group of rows.
QLabel* taskHeading(const QString& text, int height, QWidget* parent);

} // namespace corvane
