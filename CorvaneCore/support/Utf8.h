#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// Whether `text` is well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool isValidUtf8(std::string_view text);

/// U+FFFD REPLACEMENT CHARACTER in UTF-8, shown in place of bytes that are not UTF-8.
inline constexpr std::string_view replacementCharacter = "\xEF\xBF\xBD";

/// One step of a walk over UTF-8 text.
struct Utf8Unit {
    /// The decoded scalar value; absent when the bytes are ill-formed.
    std::optional<char32_t> scalar;
    /// Bytes the step covers (at least one): the whole sequence, or for ill-formed bytes the
    /// maximal subpart (the longest start of a well-formed sequence, else the single byte), so
    /// that one U+FFFD per step follows Unicode's recommended substitution.
    std::size_t length{};
};

/// `scalar` (a Unicode scalar value) in UTF-8; U+FFFD for a surrogate or a value past U+10FFFF.
std::string encodeUtf8(char32_t scalar);

/// Decodes the unit that starts at `pos` (below `text.size()`).
Utf8Unit decodeUtf8(std::string_view text, std::size_t pos);

/// Whether `scalar` is a control character (general category Cc): C0, DEL or C1.
constexpr bool isControlCharacter(char32_t scalar) {
    return scalar < 0x20 || (scalar >= 0x7F && scalar <= 0x9F);
}

/// Appends `text` to `out` as well-formed UTF-8: each ill-formed unit (see `Utf8Unit`) as one
/// U+FFFD, and each scalar value as it is unless `escape(out, scalar)` appended a form of its own
/// and returned true.
template <class Escape>
void appendRepairedUtf8(std::string& out, std::string_view text, Escape&& escape) {
    for (std::size_t pos = 0; pos < text.size();) {
        const Utf8Unit unit = decodeUtf8(text, pos);
        if (!unit.scalar) out += replacementCharacter;
        else if (!escape(out, *unit.scalar)) out += text.substr(pos, unit.length);
        pos += unit.length;
    }
}

} // namespace corvane
