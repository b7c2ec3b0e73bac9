#include "DashButton.h"

#include "DashStyle.h"
#include "MaterialIcons.h"

#include <QFontMetrics>

#include <algorithm>
#include <QPainter>

namespace corvane {

namespace {

constexpr int iconGap = 4;

int symbolPixels(DashButton::Kind kind) {
    return kind == DashButton::Kind::iconOnly ? DashStyle::headerIconPixels : DashStyle::iconPixels;
}

} // namespace

DashButton::DashButton(Kind kind, const QString& text, std::optional<Symbol> symbol, QWidget* parent)
    : DashControl(parent), kind_(kind), symbol_(symbol), tint_(DashStyle::secondaryText) {
    setText(text);
    setAccessibleName(text);
    setFont(DashStyle::textFont(DashStyle::bodyPixels, kind == Kind::primary ? QFont::DemiBold : QFont::Normal));
    if (kind == Kind::primary) tint_ = DashStyle::primaryText;
}

void DashButton::setTint(const QColor& color) {
    tint_ = color;
    update();
}

QSize DashButton::sizeHint() const {
    const int pad = DashStyle::controlPadding;
    const int icon = symbol_ ? symbolPixels(kind_) : 0;
    if (kind_ == Kind::iconOnly) return {icon + 2 * pad, icon + 2 * pad};
    const QFontMetrics metrics(font());
    const int width = metrics.horizontalAdvance(text()) + (symbol_ ? icon + iconGap : 0) + 2 * pad;
    const int height = std::max(metrics.height(), icon) + pad + (kind_ == Kind::primary ? pad : 0);
    return {width + (kind_ == Kind::primary ? 2 * pad : 0), height};
}

void DashButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor ink = tint_;
    if (kind_ == Kind::primary) {
        if (!isEnabled()) painter.setOpacity(disabledButtonOpacity);
        QColor fill = DashStyle::systemBlue;
        if (isEnabled() && (isHovered() || isDown())) fill = fill.lighter(isDown() ? 90 : 115);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawRoundedRect(QRectF(rect()), DashStyle::controlRadius, DashStyle::controlRadius);
    } else {
        paintBackground(painter);
        if (isHovered()) ink = ink == DashStyle::secondaryText ? DashStyle::primaryText : ink;
    }
    painter.setPen(ink);

    const int icon = symbol_ ? symbolPixels(kind_) : 0;
    const QFontMetrics metrics(font());
    const int textWidth = kind_ == Kind::iconOnly ? 0 : metrics.horizontalAdvance(text());
    const int contentWidth = textWidth + icon + (symbol_ && textWidth > 0 ? iconGap : 0);
    int x = (width() - contentWidth) / 2;
    if (symbol_) {
        painter.setFont(iconFont(icon));
        painter.drawText(QRect(x, 0, icon, height()), Qt::AlignCenter, glyphText(*symbol_));
        x += icon + iconGap;
    }
    if (textWidth > 0) {
        painter.setFont(font());
        painter.drawText(QRect(x, 0, textWidth + 1, height()), Qt::AlignVCenter | Qt::AlignLeft, text());
    }
}

} // namespace corvane
