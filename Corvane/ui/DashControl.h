#pragma once

#include <QAbstractButton>
#include <QAccessible>

class QPainter;

namespace corvane {

/// A clickable part of the dashboard that draws itself: it shows a hover state (also frozen, for
/// snapshots) and tells assistive technology its role, name, hint (the accessible description)
/// and value.
class DashControl : public QAbstractButton {
    Q_OBJECT

public:
    explicit DashControl(QWidget* parent = nullptr);

    /// Drawn hovered whatever the pointer does.
    void setForcedHover(bool on);
    bool isHovered() const;

    /// The role assistive technology sees: a button unless set.
    void setAccessibleRole(QAccessible::Role role);
    QAccessible::Role accessibleRole() const { return role_; }
    /// The value assistive technology reads, such as a switch's state in words.
    void setAccessibleValue(const QString& value);
    const QString& accessibleValue() const { return value_; }

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    /// The rounded hover or pressed background over the whole control.
    void paintBackground(QPainter& painter) const;

private:
    bool forcedHover_{false};
    QAccessible::Role role_{QAccessible::Button};
    QString value_;
};

} // namespace corvane
