#include "ScreenGeoReader.h"

#include "island/IslandControllerRules.h"
#include "island/ScreenCoordinates.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>
#include <vector>

namespace corvane::ScreenGeoReader {

namespace {

Rect rectOf(const QRect& rect) {
    return {static_cast<double>(rect.x()), static_cast<double>(rect.y()), static_cast<double>(rect.width()),
            static_cast<double>(rect.height())};
}

std::vector<Rect> screenGeometries() {
    std::vector<Rect> geometries;
    for (const QScreen* screen : QGuiApplication::screens()) geometries.push_back(rectOf(screen->geometry()));
    return geometries;
}

double flipAxis() { return desktopFlipAxis(screenGeometries()); }

} // namespace

ScreenGeo measure(const QScreen& screen) {
    return screenGeoFromWindowSystem(rectOf(screen.geometry()), rectOf(screen.availableGeometry()), flipAxis());
}

QRect toWindow(Rect rect) {
    const Rect flipped = flipRect(rect, flipAxis());
    const int left = static_cast<int>(std::floor(flipped.minX()));
    const int top = static_cast<int>(std::floor(flipped.minY()));
    const int right = static_cast<int>(std::ceil(flipped.maxX()));
    const int bottom = static_cast<int>(std::ceil(flipped.maxY()));
    return {left, top, right - left, bottom - top};
}

Rect fromWindow(const QRect& rect) { return flipRect(rectOf(rect), flipAxis()); }

Point pointer(QPoint globalPixel) { return pointFromPixel(globalPixel.x(), globalPixel.y(), flipAxis()); }

QScreen* screenAt(QPoint globalPixel) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    const double axis = flipAxis();
    std::vector<Rect> frames;
    std::size_t primary = 0;
    for (qsizetype i = 0; i < screens.size(); ++i) {
        frames.push_back(flipRect(rectOf(screens[i]->geometry()), axis));
        if (screens[i] == QGuiApplication::primaryScreen()) primary = static_cast<std::size_t>(i);
    }
    const auto index = activeScreenIndex(frames, pointFromPixel(globalPixel.x(), globalPixel.y(), axis), primary);
    return index ? screens[static_cast<qsizetype>(*index)] : nullptr;
}

} // namespace corvane::ScreenGeoReader
