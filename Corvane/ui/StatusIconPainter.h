#pragma once

#include "status/StatusItemLook.h"

#include <QColor>
#include <QIcon>
#include <QImage>

namespace corvane {

/// The system's own orange and red, the same on light and dark panels.
QColor systemOrange();
QColor systemRed();

/// The colour of the icon: `templateColor` (the panel's text colour) for a template icon,
/// otherwise its palette colour.
QColor iconColor(IconRendering rendering, const QColor& templateColor);
/// The colour of the percent title: `templateColor` for the standard colour, otherwise its own.
QColor titleColor(StatusTitleColor color, const QColor& templateColor);

/// The status item's image at `side` × `side` pixels on a transparent ground. Trays show icons
/// square, so with the percent the glyph takes the top-left corner, the percent sign the
/// top-right and the number the whole bottom half, as large as it fits; without it the glyph
/// fills the square. The waiting badge, a red dot 7/22 of the side wide, sits at the top of the
/// glyph's right edge (inside the square).
QImage drawStatusIcon(const StatusItemLook& look, const QColor& templateColor, int side);

/// The image at every size trays commonly ask for, each drawn for its size.
QIcon statusItemIcon(const StatusItemLook& look, const QColor& templateColor);

} // namespace corvane
