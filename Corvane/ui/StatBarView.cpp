#include "StatBarView.h"

#include "DashStyle.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace corvane {

namespace {

constexpr int barGap = 5;
constexpr int wordGap = 6;

} // namespace

StatBarView::StatBarView(bool title, QWidget* parent) : QWidget(parent), title_(title) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void StatBarView::display(const StatBar& bar, const QString& figure) {
    if (bar == bar_ && figure == figure_) return;
    bar_ = bar;
    figure_ = figure;
    QString name = QString::fromStdString(bar.label) + QStringLiteral(" ") + figure;
    if (!bar.warnWord.empty()) name += QStringLiteral(" ") + QString::fromStdString(bar.warnWord);
    if (!title_) setAccessibleName(name);
    update();
}

QFont StatBarView::labelFont() const {
    return title_ ? DashStyle::textFont(DashStyle::titlePixels, QFont::DemiBold) : DashStyle::textFont(DashStyle::bodyPixels);
}

QSize StatBarView::sizeHint() const {
    const int line = std::max(QFontMetrics(labelFont()).height(), QFontMetrics(DashStyle::textFont(DashStyle::bodyPixels)).height());
    return {120, line + barGap + DashStyle::barHeight};
}

void StatBarView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int line = height() - barGap - DashStyle::barHeight;
    const QRect textRow(0, 0, width(), line);

    painter.setFont(labelFont());
    painter.setPen(title_ ? DashStyle::primaryText : DashStyle::secondaryText);
    painter.drawText(textRow, Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(bar_.label));

    const QFont figureFont = DashStyle::textFont(DashStyle::bodyPixels, QFont::DemiBold);
    const QColor levelColor = DashStyle::color(bar_.level);
    int right = width();
    if (!bar_.warnWord.empty()) {
        const QString word = QString::fromStdString(bar_.warnWord);
        painter.setFont(figureFont);
        painter.setPen(levelColor);
        painter.drawText(textRow, Qt::AlignRight | Qt::AlignVCenter, word);
        right -= QFontMetrics(figureFont).horizontalAdvance(word) + wordGap;
    }
    painter.setFont(figureFont);
    painter.setPen(DashStyle::primaryText);
    painter.drawText(QRect(0, 0, right, line), Qt::AlignRight | Qt::AlignVCenter, figure_);

    const QRectF track(0, line + barGap, width(), DashStyle::barHeight);
    const double radius = DashStyle::barHeight / 2.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(DashStyle::barTrack);
    painter.drawRoundedRect(track, radius, radius);
    const double filled = track.width() * std::clamp(bar_.fraction, 0.0, 1.0);
    if (filled > 0) {
        painter.setBrush(levelColor);
        painter.drawRoundedRect(QRectF(track.left(), track.top(), std::max(filled, track.height()), track.height()),
                                radius, radius);
    }
}

} // namespace corvane
