#include "symbols/SymbolGlyphs.h"

#include <algorithm>

namespace corvane {

std::optional<SymbolGlyph> glyphForSymbol(std::string_view symbol) {
    const auto it = std::find_if(symbolGlyphs.begin(), symbolGlyphs.end(),
                                 [&](const SymbolGlyph& g) { return g.symbol == symbol; });
    if (it == symbolGlyphs.end()) return std::nullopt;
    return *it;
}

} // namespace corvane
