#include "AIRowView.h"

#include "DashLabels.h"
#include "DashStyle.h"
#include "MaterialIcons.h"

#include "views/AISection.h"

#include <QFontMetrics>
#include <QPainter>

#include <cmath>

namespace corvane {

namespace {

constexpr int textGap = 2;

QFont titleFont() {
    return DashStyle::textFont(DashStyle::bodyPixels, QFont::DemiBold);
}

QFont subtitleFont() {
    return DashStyle::textFont(DashStyle::notePixels);
}

} // namespace

AIRowView::AIRowView(QWidget* parent) : DashControl(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    counting_.setDuration(DashStyle::countingMs);
    counting_.setEasingCurve(QEasingCurve::OutCubic);
    connect(&counting_, &QVariantAnimation::valueChanged, this, [this] { update(); });
}

void AIRowView::display(const AIRow& row, bool hovered, bool animate) {
    setForcedHover(hovered);
    if (row == row_) return;
    // The same session's minutes count from the old figure to the new one.
    const bool counted = row_.id == row.id && row_.durationMinutes.has_value();
    const int before = counted ? *row_.durationMinutes : 0;
    row_ = row;
    counting_.stop();
    if (animate && counted && row.durationMinutes && before != *row.durationMinutes) {
        counting_.setStartValue(static_cast<double>(before));
        counting_.setEndValue(static_cast<double>(*row.durationMinutes));
        counting_.start();
    }
    const bool jumps = row.sessionID.has_value();
    setCursor(jumps ? Qt::PointingHandCursor : Qt::ArrowCursor);
    setFocusPolicy(jumps ? Qt::TabFocus : Qt::NoFocus);
    setAccessibleRole(jumps ? QAccessible::Button : QAccessible::StaticText);
    setAccessibleName(QString::fromStdString(aiRowA11yLabel(row.tool, row.title)));
    setAccessibleDescription(jumps ? qtText(aiRowJumpHint)
                                   : QString());
    update();
}

int AIRowView::shownMinutes() const {
    if (counting_.state() == QAbstractAnimation::Running) {
        return static_cast<int>(std::lround(counting_.currentValue().toDouble()));
    }
    return row_.durationMinutes.value_or(0);
}

QSize AIRowView::sizeHint() const {
    const int height = QFontMetrics(titleFont()).height() + textGap + QFontMetrics(subtitleFont()).height();
    return {160, height + DashStyle::controlPadding};
}

void AIRowView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    if (row_.sessionID) paintBackground(painter);
    const int pad = DashStyle::controlPadding / 2;
    const TintedSymbol icon = aiRowIcon(row_.tool, row_.activity, row_.title);
    painter.setFont(iconFont(DashStyle::rowIconPixels));
    painter.setPen(DashStyle::color(icon.tint));
    painter.drawText(QRect(pad, pad + 1, DashStyle::rowIconWidth, DashStyle::rowIconHeight), Qt::AlignCenter,
                     glyphText(icon.symbol));

    const int left = pad + DashStyle::rowIconWidth + DashStyle::lineSpacing;
    const int textWidth = width() - left - pad;
    const QFontMetrics titleMetrics(titleFont());
    painter.setFont(titleFont());
    painter.setPen(DashStyle::primaryText);
    painter.drawText(QRect(left, pad, textWidth, titleMetrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     titleMetrics.elidedText(QString::fromStdString(row_.title), Qt::ElideRight, textWidth));

    const std::string_view head = subtitleBeforeMinutes(row_);
    QString subtitle = qtText(head);
    if (head.size() < row_.subtitle.size()) {
        subtitle += QString::fromStdString(row_.durationLead) + QString::number(shownMinutes()) +
                    QString::fromStdString(row_.durationTail);
    }
    const QFontMetrics subtitleMetrics(subtitleFont());
    painter.setFont(subtitleFont());
    painter.setPen(DashStyle::secondaryText);
    painter.drawText(QRect(left, pad + titleMetrics.height() + textGap, textWidth, subtitleMetrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, subtitleMetrics.elidedText(subtitle, Qt::ElideRight, textWidth));
}

} // namespace corvane
