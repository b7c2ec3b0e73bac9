#include "StatusIconPainter.h"

#include "MaterialIcons.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTransform>

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

/// The outlines are taken at this pixel size and scaled to each image.
constexpr int referencePixels = 100;

/// Fills `outline` scaled so that its ink fits `box` as large as it can, centred.
void fillFitted(QPainter& painter, const QPainterPath& outline, const QRectF& box) {
    const QRectF ink = outline.boundingRect();
    if (ink.isEmpty()) return;
    const double scale = std::min(box.width() / ink.width(), box.height() / ink.height());
    QTransform fit;
    fit.translate(box.center().x(), box.center().y());
    fit.scale(scale, scale);
    fit.translate(-ink.center().x(), -ink.center().y());
    painter.fillPath(fit.map(outline), painter.pen().color());
}

/// Fills `outline` scaled to `pixels`, centred in `box` by `line`, its line box (advance × height)
/// at the reference size, as text drawn centred at that size sits.
void fillCentred(QPainter& painter, const QPainterPath& outline, const QRectF& line, double pixels, const QRectF& box) {
    const double scale = pixels / referencePixels;
    QTransform place;
    place.translate(box.center().x(), box.center().y());
    place.scale(scale, scale);
    place.translate(-line.center().x(), -line.center().y());
    painter.fillPath(place.map(outline), painter.pen().color());
}

double badgeSide(double side) {
    return badgeUnits * side / slotUnits;
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

StatusIconPainter::StatusIconPainter() : numberFont_(QGuiApplication::font()), symbolFont_(iconFont(referencePixels)) {
    numberFont_.setWeight(QFont::DemiBold);
    numberFont_.setPixelSize(referencePixels);
}

QImage StatusIconPainter::draw(const StatusItemLook& look, const QColor& templateColor, int side) const {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const double s = side;
    const double glyphSide = look.title ? s * glyphShareWithPercent : s;
    const QRectF glyphBox(0, 0, glyphSide, glyphSide);

    painter.setPen(iconColor(look.icon.rendering, templateColor));
    if (iconFontLoaded()) {
        const QString glyph = glyphText(look.icon.symbol);
        const QFontMetricsF metrics(symbolFont_);
        const QRectF line(0, -metrics.ascent(), metrics.horizontalAdvance(glyph), metrics.height());
        fillCentred(painter, outline(glyph, symbolFont_), line, std::round(glyphSide), glyphBox);
    } else {
        // Without the icon font a plain square keeps the item visible and tinted.
        painter.fillRect(glyphBox.adjusted(s / 8, s / 8, -s / 8, -s / 8), painter.pen().color());
    }

    if (look.title) {
        QString number = QString::fromStdString(look.title->text).trimmed();
        const bool percentSign = number.endsWith(QLatin1Char('%'));
        if (percentSign) number.chop(1);
        painter.setPen(titleColor(look.title->color, templateColor));
        fillFitted(painter, outline(number, numberFont_), QRectF(0, s / 2, s, s / 2).adjusted(s / 32, s / 32, -s / 32, 0));
        if (percentSign) {
            // Right of the badge, which may overhang the glyph.
            const QRectF signBox(glyphSide + badgeSide(s) / 2, 0, s - glyphSide - badgeSide(s) / 2, s / 2);
            fillFitted(painter, outline(QStringLiteral("%"), numberFont_), signBox.adjusted(0, s / 8, -s / 32, -s / 16));
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

QPainterPath StatusIconPainter::outline(const QString& text, const QFont& font) const {
    const QString key = font.family() + QLatin1Char('\n') + text;
    if (auto found = outlines_.find(key); found != outlines_.end()) return found->second;
    // Bounded: a percent that wanders keeps adding texts.
    if (outlines_.size() >= maxOutlines) outlines_.clear();
    QPainterPath path;
    path.addText(0, 0, font, text);
    outlines_.emplace(key, path);
    return path;
}

QIcon StatusIconPainter::icon(const StatusItemLook& look, const QColor& templateColor) const {
    QIcon icon;
    for (const int side : iconSides) icon.addPixmap(QPixmap::fromImage(draw(look, templateColor, side)));
    return icon;
}

} // namespace corvane
