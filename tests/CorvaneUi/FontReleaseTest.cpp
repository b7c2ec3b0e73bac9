#include "DashStyle.h"
#include "FontRelease.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace corvane {
namespace {

/// Whether this process maps the installed CJK font's file. Read line by line: the map list comes
/// a page at a time, so one short read is not its end.
bool mapsTheCjkFont() {
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);) {
        if (line.find("wqy-microhei") != std::string::npos) return true;
    }
    return false;
}

/// Draws 内存压力 in `font` and tells whether any pixel was inked.
bool drawsInk(const QFont& font) {
    QImage image(120, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(image.rect(), Qt::AlignCenter, QString::fromUtf8("内存压力"));
    }
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0) return true;
        }
    }
    return false;
}

// The font file a drawing mapped is let go, while a font still held (as a shown window holds
// its own) draws again afterwards, loading what it needs anew.
TEST(FontRelease, UnmapsTheFontFilesAndFontsStillHeldDrawAgain) {
    const QFont held = DashStyle::textFont(DashStyle::bodyPixels);
    ASSERT_TRUE(drawsInk(held));
    ASSERT_TRUE(mapsTheCjkFont());

    releaseLoadedFonts();
    EXPECT_FALSE(mapsTheCjkFont());

    EXPECT_TRUE(drawsInk(held));
    EXPECT_TRUE(mapsTheCjkFont());
}

} // namespace
} // namespace corvane
