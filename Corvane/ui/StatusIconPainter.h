#pragma once

#include "status/StatusItemLook.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QPainterPath>
#include <QString>

#include <cstddef>
#include <map>

namespace corvane {

/// The system's own orange and red, the same on light and dark panels.
QColor systemOrange();
QColor systemRed();

/// The colour of the icon: `templateColor` (the panel's text colour) for a template icon,
/// otherwise its palette colour.
QColor iconColor(IconRendering rendering, const QColor& templateColor);
/// The colour of the percent title: `templateColor` for the standard colour, otherwise its own.
QColor titleColor(StatusTitleColor color, const QColor& templateColor);

/// Draws the status item's images. Text and glyph are filled as outlines taken once from two
/// fonts at one reference size and kept: the tray redraws whenever the percent changes, and text
/// drawn at each image's own pixel size would match and load a font for every size on every
/// redraw, as the font cache lets unused sizes go between redraws.
class StatusIconPainter {
public:
    StatusIconPainter();

    /// The image at `side` × `side` pixels on a transparent ground. Trays show icons square, so
    /// with the percent the glyph takes the top-left corner, the percent sign the top-right and
    /// the number the whole bottom half, as large as it fits; without it the glyph fills the
    /// square. The waiting badge, a red dot 7/22 of the side wide, sits at the top of the
    /// glyph's right edge (inside the square).
    QImage draw(const StatusItemLook& look, const QColor& templateColor, int side) const;

    /// The image at every size trays commonly ask for, each drawn for its size.
    QIcon icon(const StatusItemLook& look, const QColor& templateColor) const;

private:
    /// `text`'s outline in `font` at the reference size, kept for the next redraws.
    QPainterPath outline(const QString& text, const QFont& font) const;

    static constexpr std::size_t maxOutlines = 16;
    QFont numberFont_;
    QFont symbolFont_;
    mutable std::map<QString, QPainterPath> outlines_;
};

} // namespace corvane
