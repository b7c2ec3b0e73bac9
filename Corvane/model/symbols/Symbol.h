#pragma once

#include <cstddef>

namespace corvane {

/// Every icon the dashboard, the wings, the status item and the menus draw. The front end draws
/// each through the glyph table (symbols/SymbolGlyphs.h).
enum class Symbol {
    memoryChip,
    warningOutline,
    warningFilled,
    stopFilled,
    checkCircle,
    bellBadge,
    drive,
    sparkles,
    settings,
    close,
    heartbeat,
    chevronForward,
    chevronBackward,
    terminal,
    code,
    checkBox,
    info,
    lock,
    more, // stays last: `symbolCount` counts up to it
};

/// How many cases `Symbol` has.
inline constexpr std::size_t symbolCount = static_cast<std::size_t>(Symbol::more) + 1;

} // namespace corvane
