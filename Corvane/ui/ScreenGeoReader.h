#pragma once

#include "island/IslandGeometry.h"
#include "island/Rect.h"

#include <QPoint>
#include <QRect>

class QScreen;

namespace corvane {

/// Qt's screens seen through the island's coordinates (bottom-left origin, mirrored about the
/// current virtual desktop). Read afresh on every call, so a changed screen setup is followed.
/// Main thread only.
namespace ScreenGeoReader {

/// The island's measurement of `screen`.
ScreenGeo measure(const QScreen& screen);

/// An island rectangle as a window geometry, rounded outwards to whole pixels.
QRect toWindow(Rect rect);

/// A window geometry in the island's coordinates.
Rect fromWindow(const QRect& rect);

/// The pointer's pixel in the island's coordinates.
Point pointer(QPoint globalPixel);

/// The screen under `globalPixel` (half-open), else the primary screen; null without screens.
QScreen* screenAt(QPoint globalPixel);

} // namespace ScreenGeoReader

} // namespace corvane
