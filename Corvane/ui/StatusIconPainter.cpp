#include "StatusIconPainter.h"

#include "MaterialIcons.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

/// The nominal size of a tray slot; the badge's 7 × 7 is measured on it.
constexpr double slotUnits = 22;
constexpr double badgeUnits = 7;
constexpr double badgeInsetUnits = 0.5;
constexpr double glyphShareWithPercent = 0.55;
constexpr int iconSides[] = {16, 22, 24, 32, 48, 64};

/// Draws `text` in `font`'s family and weight, as large as its inked outline fits `box`, centred.
void drawFitted(QPainter& painter, const QString& text, QFont font, const QRectF& box) {
    constexpr int probeSize = 100;
    font.setPixelSize(probeSize);
    const QRectF probe = QFontMetricsF(font).tightBoundingRect(text);
    if (probe.isEmpty()) return;
    const double scale = std::min(box.width() / probe.width(), box.height() / probe.height());
    font.setPixelSize(std::max(1, static_cast<int>(std::floor(probeSize * scale))));
    const QRectF ink = QFontMetricsF(font).tightBoundingRect(text);
    painter.setFont(font);
    painter.drawText(box.center() - ink.center(), text);
}

double badgeSide(double side) {
    return badgeUnits * side / slotUnits;
}

QFont numberFont() {
    QFont font = QGuiApplication::font();
    font.setWeight(QFont::DemiBold);
    return font;
}

} // namespace

QColor systemOrange() {
    return QColor::fromRgb(*statusTitleRgb(StatusTitleColor::orange));
}

QColor systemRed() {
    return QColor::fromRgb(*statusTitleRgb(StatusTitleColor::red));
}

QColor iconColor(IconRendering rendering, const QColor& templateColor) {
    switch (rendering) {
    case IconRendering::template_: return templateColor;
    case IconRendering::paletteOrange: return systemOrange();
    case IconRendering::paletteRed: return systemRed();
    }
    return templateColor;
}

QColor titleColor(StatusTitleColor color, const QColor& templateColor) {
    switch (color) {
    case StatusTitleColor::standard: return templateColor;
    case StatusTitleColor::orange: return systemOrange();
    case StatusTitleColor::red: return systemRed();
    }
    return templateColor;
}

QImage drawStatusIcon(const StatusItemLook& look, const QColor& templateColor, int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const double s = side;
    const double glyphSide = look.title ? s * glyphShareWithPercent : s;
    const QRectF glyphBox(0, 0, glyphSide, glyphSide);

    painter.setPen(iconColor(look.icon.rendering, templateColor));
    if (iconFontLoaded()) {
        painter.setFont(iconFont(static_cast<int>(std::round(glyphSide))));
        painter.drawText(glyphBox, Qt::AlignCenter, glyphText(look.icon.symbol));
    } else {
        // Without the icon font a plain square keeps the item visible and tinted.
        painter.fillRect(glyphBox.adjusted(s / 8, s / 8, -s / 8, -s / 8), painter.pen().color());
    }

    if (look.title) {
        QString number = QString::fromStdString(look.title->text).trimmed();
        const bool percentSign = number.endsWith(QLatin1Char('%'));
        if (percentSign) number.chop(1);
        painter.setPen(titleColor(look.title->color, templateColor));
        drawFitted(painter, number, numberFont(), QRectF(0, s / 2, s, s / 2).adjusted(s / 32, s / 32, -s / 32, 0));
        if (percentSign) {
            // Right of the badge, which may overhang the glyph.
            const QRectF signBox(glyphSide + badgeSide(s) / 2, 0, s - glyphSide - badgeSide(s) / 2, s / 2);
            drawFitted(painter, QStringLiteral("%"), numberFont(), signBox.adjusted(0, s / 8, -s / 32, -s / 16));
        }
    }

    if (look.badgeVisible) {
        const double badge = badgeSide(s);
        // Centred on the glyph's right edge: it covers little of a glyph drawn small.
        const QRectF bounds(std::min(glyphSide - badge / 2, s - badge), 0, badge, badge);
        const double unit = s / slotUnits;
        const double inset = badgeInsetUnits * unit;
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        // A clear ring parts the dot from a glyph of the same red.
        painter.setCompositionMode(QPainter::CompositionMode_Clear);
        painter.drawEllipse(bounds.adjusted(-unit, -unit, unit, unit));
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.setBrush(systemRed());
        painter.drawEllipse(bounds.adjusted(inset, inset, -inset, -inset));
    }
    return image;
}

QIcon statusItemIcon(const StatusItemLook& look, const QColor& templateColor) {
    QIcon icon;
    for (const int side : iconSides) icon.addPixmap(QPixmap::fromImage(drawStatusIcon(look, templateColor, side)));
    return icon;
}

} // namespace corvane
