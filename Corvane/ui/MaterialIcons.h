#pragma once

#include "symbols/Symbol.h"

#include <QFont>
#include <QString>

namespace corvane {

/// A font that draws the icon glyphs at `pixelSize`. The icon font file is loaded into the
/// application's font database on first use (main thread, after the application object exists);
/// when it cannot be loaded the result is the default font, and `iconFontLoaded` says so.
QFont iconFont(int pixelSize);

/// Whether the icon font file could be loaded.
bool iconFontLoaded();

/// The one-character text that draws `symbol` in the icon font.
QString glyphText(Symbol symbol);

} // namespace corvane
