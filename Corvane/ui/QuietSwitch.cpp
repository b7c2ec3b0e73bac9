#include "QuietSwitch.h"

#include "DashLabels.h"
#include "DashStyle.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace corvane {

QuietSwitch::QuietSwitch(QWidget* parent) : DashControl(parent) {
    setCheckable(true);
    setAccessibleRole(QAccessible::CheckBox);
    setFont(DashStyle::textFont(DashStyle::bodyPixels));
    display(false);
}

void QuietSwitch::display(bool paused) {
    const QuietSwitchLook look = quietSwitchLook(paused);
    setChecked(paused);
    const QString label = qtText(look.label);
    if (text() != label) {
        setText(label);
        updateGeometry();
    }
    setAccessibleName(label);
    setAccessibleValue(qtText(look.a11yValue));
    setToolTip(qtText(look.help));
    update();
}

QSize QuietSwitch::sizeHint() const {
    const QFontMetrics metrics(font());
    const int pad = DashStyle::controlPadding;
    return {DashStyle::switchWidth + pad + metrics.horizontalAdvance(text()) + 2 * pad,
            std::max(metrics.height(), DashStyle::switchHeight) + pad};
}

void QuietSwitch::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    paintBackground(painter);
    const int pad = DashStyle::controlPadding;
    const QRectF track(pad, (height() - DashStyle::switchHeight) / 2.0, DashStyle::switchWidth, DashStyle::switchHeight);
    const double radius = track.height() / 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(isChecked() ? DashStyle::systemGreen : DashStyle::switchOff);
    painter.drawRoundedRect(track, radius, radius);
    const double knob = track.height() - 2 * DashStyle::switchKnobInset;
    const double knobX = isChecked() ? track.right() - DashStyle::switchKnobInset - knob
                                     : track.left() + DashStyle::switchKnobInset;
    painter.setBrush(DashStyle::primaryText);
    painter.drawEllipse(QRectF(knobX, track.top() + DashStyle::switchKnobInset, knob, knob));

    painter.setPen(isChecked() || isHovered() ? DashStyle::primaryText : DashStyle::secondaryText);
    painter.setFont(font());
    painter.drawText(rect().adjusted(static_cast<int>(track.right()) + pad, 0, -pad, 0),
                     Qt::AlignLeft | Qt::AlignVCenter, text());
}

} // namespace corvane
