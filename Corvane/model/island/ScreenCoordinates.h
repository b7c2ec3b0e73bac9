#pragma once

#include "island/IslandGeometry.h"
#include "island/Rect.h"

#include <vector>

namespace corvane {

/// The island's geometry uses a bottom-left origin, the window system a top-left one. These are
/// the only conversions between the two; the front end's screens and pointer go through them.
///
/// Both origins share one horizontal axis. Vertically they mirror each other about the virtual
/// desktop: with `flipAxis` = top + bottom of the desktop's bounding box (window-system
/// coordinates), a span [y, y + h) maps to [flipAxis − y − h, flipAxis − y) in either direction.

/// The mirror line of a desktop made of `screenGeometries` (window-system coordinates): the
/// smallest top plus the largest bottom; 0 without screens.
double desktopFlipAxis(const std::vector<Rect>& screenGeometries);

/// A rectangle mirrored between the two origins; applying it twice gives the rectangle back.
Rect flipRect(Rect rect, double flipAxis);

/// The pointer on pixel (x, y) of the window system, as the lower-left corner of that pixel in
/// the island's coordinates, so half-open lookups give every pixel row and column one screen.
Point pointFromPixel(double x, double y, double flipAxis);

/// A screen measured from its window-system geometry and available geometry (what the desktop's
/// panels leave free). The top panel's height is the available top minus the geometry top;
/// screens have no camera housing here, so the style is floating.
ScreenGeo screenGeoFromWindowSystem(Rect geometry, Rect availableGeometry, double flipAxis);

} // namespace corvane
