#include "IdleStatPanel.h"

#include "DashLabels.h"
#include "DashStyle.h"
#include "MaterialIcons.h"

#include <QFontMetrics>
#include <QPainter>

namespace corvane {

namespace {

QString reclaimTitle() {
    return qtText(reclaimButtonTitle);
}

QFont labelFont() {
    return DashStyle::textFont(DashStyle::bodyPixels);
}

QFont valueFont() {
    return DashStyle::textFont(DashStyle::bodyPixels, QFont::DemiBold);
}

} // namespace

IdleStatPanel::IdleStatPanel(QWidget* parent) : DashControl(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    display(idleStat(std::nullopt, 0));
}

void IdleStatPanel::display(const IdleStatView& view) {
    if (view == view_) return;
    view_ = view;
    const bool button = view.showsReclaimButton;
    setCursor(button ? Qt::PointingHandCursor : Qt::ArrowCursor);
    setFocusPolicy(button ? Qt::TabFocus : Qt::NoFocus);
    setAccessibleRole(button ? QAccessible::Button : QAccessible::StaticText);
    setAccessibleName(QString::fromStdString(view.a11y));
    setAccessibleDescription(QString::fromStdString(view.hint.value_or("")));
    setToolTip(QString::fromStdString(view.help));
    updateGeometry();
    update();
}

QSize IdleStatPanel::sizeHint() const {
    const int line = QFontMetrics(valueFont()).height();
    return {160, line + DashStyle::controlPadding};
}

bool IdleStatPanel::hitButton(const QPoint& pos) const {
    // Only a figure with something to reclaim is a button.
    return view_.showsReclaimButton && DashControl::hitButton(pos);
}

void IdleStatPanel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    if (view_.showsReclaimButton) paintBackground(painter);
    const int pad = view_.showsReclaimButton ? DashStyle::controlPadding : 0;
    const QRect inner = rect().adjusted(pad, 0, -pad, 0);

    painter.setFont(labelFont());
    painter.setPen(DashStyle::secondaryText);
    painter.drawText(inner, Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(view_.label));

    int right = inner.right() + 1;
    if (view_.showsReclaimButton) {
        const int chevron = DashStyle::iconPixels;
        painter.setFont(iconFont(chevron));
        painter.setPen(DashStyle::systemBlue);
        painter.drawText(QRect(right - chevron, 0, chevron, height()), Qt::AlignCenter, glyphText(reclaimButtonSymbol));
        right -= chevron;
        painter.setFont(valueFont());
        painter.drawText(QRect(inner.left(), 0, right - inner.left(), height()), Qt::AlignRight | Qt::AlignVCenter,
                         reclaimTitle());
        right -= QFontMetrics(valueFont()).horizontalAdvance(reclaimTitle()) + DashStyle::lineSpacing * 2;
    }
    painter.setFont(valueFont());
    painter.setPen(DashStyle::primaryText);
    painter.drawText(QRect(inner.left(), 0, right - inner.left(), height()), Qt::AlignRight | Qt::AlignVCenter,
                     QString::fromStdString(view_.value));
}

} // namespace corvane
