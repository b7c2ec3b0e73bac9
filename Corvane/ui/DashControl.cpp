#include "DashControl.h"

#include "DashStyle.h"

#include <QAccessibleWidget>
#include <QPainter>

namespace corvane {

namespace {

/// What assistive technology sees of a dashboard control: its own role and value, the state of
/// a switch, and a press action that clicks it.
class DashControlAccessible final : public QAccessibleWidget {
public:
    explicit DashControlAccessible(DashControl* control) : QAccessibleWidget(control, control->accessibleRole()) {}

    QAccessible::Role role() const override { return control()->accessibleRole(); }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return control()->accessibleValue();
        if (t == QAccessible::Name && control()->accessibleName().isEmpty()) return control()->text();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (control()->isCheckable()) {
            s.checkable = true;
            s.checked = control()->isChecked();
        }
        if (control()->isDown()) s.pressed = true;
        return s;
    }

    QStringList actionNames() const override {
        if (!control()->isEnabled() || role() == QAccessible::StaticText) return {};
        return {control()->isCheckable() ? toggleAction() : pressAction()};
    }

    void doAction(const QString& name) override {
        if (actionNames().contains(name)) control()->click();
    }

private:
    DashControl* control() const { return static_cast<DashControl*>(widget()); }
};

QAccessibleInterface* dashControlFactory(const QString& key, QObject* object) {
    if (key == QLatin1String(DashControl::staticMetaObject.className()) && object->isWidgetType()) {
        return new DashControlAccessible(static_cast<DashControl*>(object));
    }
    return nullptr;
}

} // namespace

DashControl::DashControl(QWidget* parent) : QAbstractButton(parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(dashControlFactory);
        return true;
    }();
    (void)factoryInstalled;
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
}

void DashControl::setForcedHover(bool on) {
    if (forcedHover_ == on) return;
    forcedHover_ = on;
    update();
}

bool DashControl::isHovered() const {
    return forcedHover_ || (isEnabled() && underMouse());
}

void DashControl::setAccessibleRole(QAccessible::Role role) {
    role_ = role;
}

void DashControl::setAccessibleValue(const QString& value) {
    if (value_ == value) return;
    value_ = value;
    QAccessibleValueChangeEvent event(this, value);
    QAccessible::updateAccessibility(&event);
}

void DashControl::enterEvent(QEnterEvent* event) {
    update();
    QAbstractButton::enterEvent(event);
}

void DashControl::leaveEvent(QEvent* event) {
    update();
    QAbstractButton::leaveEvent(event);
}

void DashControl::paintBackground(QPainter& painter) const {
    if (!isEnabled() || (!isHovered() && !isDown())) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(isDown() ? DashStyle::pressedColor : DashStyle::hoverColor);
    painter.drawRoundedRect(QRectF(rect()), DashStyle::controlRadius, DashStyle::controlRadius);
    painter.restore();
}

} // namespace corvane
