#include "FontRelease.h"

#include <QFont>

namespace corvane {

void releaseLoadedFonts() {
    // Drops this thread's font cache; fonts in use find theirs gone and load again on next use.
    QFont::cleanup();
}

} // namespace corvane
