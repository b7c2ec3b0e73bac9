#include "SwitchRow.h"

#include "SettingsStyle.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace corvane {

SwitchRow::SwitchRow(const QString& text, QWidget* parent) : QCheckBox(text, parent) {
    setAccessibleName(text);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize SwitchRow::sizeHint() const {
    const int textWidth = fontMetrics().horizontalAdvance(text());
    return {SettingsStyle::rowPadding * 3 + textWidth + SettingsStyle::switchWidth, SettingsStyle::rowHeight};
}

QSize SwitchRow::minimumSizeHint() const {
    return sizeHint();
}

bool SwitchRow::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

void SwitchRow::paintEvent(QPaintEvent* /*event*/) {
    QStylePainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& colours = palette();
    const int padding = SettingsStyle::rowPadding;

    const QRect textRect = rect().adjusted(padding, 0, -(padding * 2 + SettingsStyle::switchWidth), 0);
    painter.setPen(colours.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, text());

    const QRectF track(width() - padding - SettingsStyle::switchWidth, (height() - SettingsStyle::switchHeight) / 2.0,
                       SettingsStyle::switchWidth, SettingsStyle::switchHeight);
    const double radius = track.height() / 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.color(isChecked() ? SettingsStyle::switchOnRole : SettingsStyle::switchOffRole));
    painter.drawRoundedRect(track, radius, radius);

    const double knob = track.height() - 2.0 * SettingsStyle::switchKnobInset;
    const double knobX = isChecked() ? track.right() - SettingsStyle::switchKnobInset - knob
                                     : track.left() + SettingsStyle::switchKnobInset;
    painter.setBrush(colours.color(SettingsStyle::knobRole));
    painter.drawEllipse(QRectF(knobX, track.top() + SettingsStyle::switchKnobInset, knob, knob));

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = track.toAlignedRect().adjusted(-2, -2, 2, 2);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace corvane
