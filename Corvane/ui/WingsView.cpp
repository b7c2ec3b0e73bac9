#include "WingsView.h"

#include "DashStyle.h"
#include "IslandStyle.h"
#include "MaterialIcons.h"

#include <QFontMetrics>
#include <QPainter>

namespace corvane {

namespace {

QFont textFont() { return DashStyle::textFont(IslandLook::wingsTextPixels, QFont::DemiBold); }

QFont symbolFont() {
    QFont font = iconFont(IslandLook::wingsSymbolPixels);
    font.setWeight(QFont::DemiBold);
    return font;
}

} // namespace

WingsView::WingsView(IslandStyle style, WingsContent content, double notchWidth, QWidget* parent)
    : QAbstractButton(parent), style_(style), content_(std::move(content)), notchWidth_(notchWidth) {
    setAccessibleName(QString::fromStdString(content_.a11y));
    setAccessibleDescription(accessibleHint());
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
}

QString WingsView::accessibleHint() { return QStringLiteral("点按展开Corvane"); }

void WingsView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QString symbol = glyphText(content_.symbol);
    const QColor tint = IslandLook::tintColor(content_.tint);
    if (style_ == IslandStyle::notch) {
        const int wing = IslandLook::wingWidth;
        painter.setFont(symbolFont());
        painter.setPen(tint);
        painter.drawText(QRect(0, 0, wing, height()), Qt::AlignCenter, symbol);
        painter.setFont(textFont());
        painter.setPen(IslandLook::wingsTextColor);
        painter.drawText(QRect(wing + static_cast<int>(notchWidth_), 0, wing, height()), Qt::AlignCenter,
                         QString::fromStdString(content_.text));
        return;
    }
    const QString text = QString::fromStdString(content_.floatingText);
    const int symbolWidth = QFontMetrics(symbolFont()).horizontalAdvance(symbol);
    const int textWidth = QFontMetrics(textFont()).horizontalAdvance(text);
    const int left = (width() - symbolWidth - IslandLook::wingsSymbolTextGap - textWidth) / 2;
    painter.setFont(symbolFont());
    painter.setPen(tint);
    painter.drawText(QRect(left, 0, symbolWidth, height()), Qt::AlignVCenter | Qt::AlignLeft, symbol);
    painter.setFont(textFont());
    painter.setPen(IslandLook::wingsTextColor);
    painter.drawText(QRect(left + symbolWidth + IslandLook::wingsSymbolTextGap, 0, textWidth, height()),
                     Qt::AlignVCenter | Qt::AlignLeft, text);
}

} // namespace corvane
