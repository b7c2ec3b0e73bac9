#include "PreferenceText.h"

#include <array>
#include <charconv>
#include <cmath>

namespace corvane {

std::string preferenceText(PreferenceValue value) {
    if (const bool* flag = std::get_if<bool>(&value)) return *flag ? "true" : "false";
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::get<double>(value));
    return {buffer.data(), result.ptr};
}

namespace {

std::optional<PreferenceValue> parseFlag(std::string_view text) {
    if (text == "true") return PreferenceValue(true);
    if (text == "false") return PreferenceValue(false);
    return std::nullopt;
}

std::optional<PreferenceValue> parseSeconds(std::string_view text) {
    double seconds = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, seconds);
    // A pause "until infinity" or NaN would never end or never compare; treat it as unreadable.
    if (result.ec != std::errc{} || result.ptr != end || !std::isfinite(seconds)) return std::nullopt;
    return PreferenceValue(seconds);
}

} // namespace

std::optional<PreferenceValue> parsePreferenceText(std::string_view text,
                                                   const std::optional<PreferenceValue>& expected) {
    if (!expected) {
        if (auto flag = parseFlag(text)) return flag;
        return parseSeconds(text);
    }
    return std::holds_alternative<bool>(*expected) ? parseFlag(text) : parseSeconds(text);
}

} // namespace corvane
