#include "support/Utf8.h"

#include <simdjson.h>

namespace corvane {

bool isValidUtf8(std::string_view text) {
    return simdjson::validate_utf8(text.data(), text.size());
}

std::string encodeUtf8(char32_t scalar) {
    const auto byte = [](char32_t bits) { return static_cast<char>(bits); };
    if (scalar < 0x80) return {byte(scalar)};
    if (scalar < 0x800) return {byte(0xC0 | (scalar >> 6)), byte(0x80 | (scalar & 0x3F))};
    if (scalar >= 0xD800 && scalar <= 0xDFFF) return std::string(replacementCharacter);
    if (scalar < 0x10000) {
        return {byte(0xE0 | (scalar >> 12)), byte(0x80 | ((scalar >> 6) & 0x3F)), byte(0x80 | (scalar & 0x3F))};
    }
    if (scalar > 0x10FFFF) return std::string(replacementCharacter);
    return {byte(0xF0 | (scalar >> 18)), byte(0x80 | ((scalar >> 12) & 0x3F)), byte(0x80 | ((scalar >> 6) & 0x3F)),
            byte(0x80 | (scalar & 0x3F))};
}

Utf8Unit decodeUtf8(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) return {lead, 1};
    std::size_t length = 0;
    char32_t value = 0;
    // The second byte's range also rules out overlong forms, surrogates and values past U+10FFFF.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0Fu;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07u;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return {std::nullopt, 1};
    }
    for (std::size_t taken = 1; taken < length; ++taken) {
        if (pos + taken >= text.size()) return {std::nullopt, taken};
        const auto next = static_cast<unsigned char>(text[pos + taken]);
        if (next < low || next > high) return {std::nullopt, taken};
        low = 0x80;
        high = 0xBF;
        value = (value << 6) | (next & 0x3Fu);
    }
    return {value, length};
}

} // namespace corvane
