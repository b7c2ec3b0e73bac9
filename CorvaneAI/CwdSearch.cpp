#include "CwdSearch.h"

#include <cstdint>

namespace corvane::CwdSearch {

namespace {

constexpr std::string_view replacement = "\xEF\xBF\xBD";

bool inRange(unsigned char byte, unsigned char low, unsigned char high) {
    return byte >= low && byte <= high;
}

/// The valid range of the second byte after `lead` (later bytes are always 0x80..0xBF).
void secondByteRange(unsigned char lead, unsigned char& low, unsigned char& high) {
    low = 0x80;
    high = 0xBF;
    if (lead == 0xE0) low = 0xA0;
    else if (lead == 0xED) high = 0x9F;
    else if (lead == 0xF0) low = 0x90;
    else if (lead == 0xF4) high = 0x8F;
}

int sequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (inRange(lead, 0xC2, 0xDF)) return 2;
    if (inRange(lead, 0xE0, 0xEF)) return 3;
    if (inRange(lead, 0xF0, 0xF4)) return 4;
    return 0;
}

/// Decodes the code point at `pos` of well-formed UTF-8 and advances `pos` past it.
std::uint32_t decodeAt(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    const int length = sequenceLength(lead);
    if (length <= 1 || pos + static_cast<std::size_t>(length) > text.size()) {
        ++pos;
        return lead;
    }
    std::uint32_t code = lead & (0xFFu >> (length + 1));
    for (int i = 1; i < length; ++i) code = (code << 6) | (static_cast<unsigned char>(text[pos + i]) & 0x3Fu);
    pos += static_cast<std::size_t>(length);
    return code;
}

bool isWhiteSpace(std::uint32_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
           c == 0x3000;
}

bool isLineTerminator(std::uint32_t c) {
    return (c >= 0x0A && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029;
}

void skipWhiteSpace(std::string_view text, std::size_t& pos) {
    while (pos < text.size()) {
        std::size_t next = pos;
        if (!isWhiteSpace(decodeAt(text, next))) return;
        pos = next;
    }
}

/// The escaped string value starting right after an opening quote at `pos`, when a closing
/// quote ends it. The two alternatives of the pattern's group begin with different characters,
/// so the greedy walk is the only way the group can end at a quote: no backtracking is needed.
std::optional<std::string_view> quotedRun(std::string_view text, std::size_t pos) {
    const std::size_t start = pos;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == '"') return text.substr(start, pos - start);
        if (c == '\\') {
            ++pos;
            if (pos >= text.size() || isLineTerminator(decodeAt(text, pos))) return std::nullopt;
        } else {
            decodeAt(text, pos);
        }
    }
    return std::nullopt;
}

} // namespace

std::string repairUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[pos]);
        const int length = sequenceLength(lead);
        if (length == 1) {
            out += static_cast<char>(lead);
            ++pos;
            continue;
        }
        if (length == 0) {
            out += replacement;
            ++pos;
            continue;
        }
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        secondByteRange(lead, low, high);
        int valid = 1;
        while (valid < length && pos + static_cast<std::size_t>(valid) < bytes.size()) {
            const auto byte = static_cast<unsigned char>(bytes[pos + static_cast<std::size_t>(valid)]);
            if (!inRange(byte, valid == 1 ? low : 0x80, valid == 1 ? high : 0xBF)) break;
            ++valid;
        }
        if (valid == length) {
            out.append(bytes.substr(pos, static_cast<std::size_t>(length)));
        } else {
            out += replacement;
        }
        pos += static_cast<std::size_t>(valid);
    }
    return out;
}

std::optional<std::string_view> findCwdValue(std::string_view text) {
    constexpr std::string_view key = "\"cwd\"";
    for (std::size_t at = text.find(key); at != std::string_view::npos; at = text.find(key, at + 1)) {
        std::size_t pos = at + key.size();
        skipWhiteSpace(text, pos);
        if (pos >= text.size() || text[pos] != ':') continue;
        ++pos;
        skipWhiteSpace(text, pos);
        if (pos >= text.size() || text[pos] != '"') continue;
        if (auto run = quotedRun(text, pos + 1)) return run;
    }
    return std::nullopt;
}

} // namespace corvane::CwdSearch
