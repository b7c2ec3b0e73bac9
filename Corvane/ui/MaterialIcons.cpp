#include "MaterialIcons.h"

#include "symbols/SymbolGlyphs.h"

#include <QFontDatabase>
#include <QStringList>

namespace corvane {

namespace {

/// The icon font's family, empty when the file is missing or unreadable; loaded once.
const QString& iconFamily() {
    static const QString family = [] {
        const int id = QFontDatabase::addApplicationFont(
            QString::fromUtf8(materialIconsFontPath.data(), static_cast<qsizetype>(materialIconsFontPath.size())));
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        return families.isEmpty() ? QString() : families.front();
    }();
    return family;
}

} // namespace

QFont iconFont(int pixelSize) {
    QFont font;
    if (iconFontLoaded()) font = QFont(iconFamily());
    font.setPixelSize(pixelSize);
    return font;
}

bool iconFontLoaded() {
    return !iconFamily().isEmpty();
}

QString glyphText(Symbol symbol) {
    const char32_t codepoint = glyphFor(symbol).codepoint;
    return QString::fromUcs4(&codepoint, 1);
}

} // namespace corvane
