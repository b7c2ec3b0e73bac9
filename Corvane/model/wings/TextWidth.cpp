#include "wings/TextWidth.h"

#include <cstdint>

namespace corvane {

namespace {

constexpr char32_t replacement = 0xFFFD;

/// Decodes the scalar at `text[i]` and advances `i`; a malformed sequence yields U+FFFD and
/// consumes one byte.
char32_t nextScalar(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t at) { return static_cast<std::uint8_t>(text[at]); };
    const std::uint8_t lead = byte(i);
    std::size_t length = 0;
    char32_t scalar = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, scalar = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, scalar = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, scalar = lead & 0x07, minimum = 0x10000;
    } else {
        ++i;
        return replacement;
    }
    if (i + length > text.size()) {
        ++i;
        return replacement;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return replacement;
        }
        scalar = (scalar << 6) | (byte(i + k) & 0x3F);
    }
    if (scalar < minimum || scalar > 0x10FFFF || (scalar >= 0xD800 && scalar <= 0xDFFF)) {
        ++i;
        return replacement;
    }
    i += length;
    return scalar;
}

} // namespace

double estimatedTextWidth(std::string_view text) {
    double width = 0;
    for (std::size_t i = 0; i < text.size();) width += nextScalar(text, i) <= 0x2E80 ? 7.5 : 13.0;
    return width;
}

} // namespace corvane
