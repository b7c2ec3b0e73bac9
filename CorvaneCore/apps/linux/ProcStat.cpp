#include "apps/linux/ProcStat.h"

#include <charconv>

namespace corvane {

namespace {

/// The next space-separated field after `at`, advancing `at` past it.
std::string_view nextField(std::string_view text, std::size_t& at) {
    while (at < text.size() && text[at] == ' ') ++at;
    const std::size_t start = at;
    while (at < text.size() && text[at] != ' ' && text[at] != '\n') ++at;
    return text.substr(start, at - start);
}

template <typename Int> std::optional<Int> number(std::string_view field) {
    Int value{};
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size() || field.empty()) return std::nullopt;
    return value;
}

} // namespace

std::optional<ProcessLineage> parseProcStat(std::string_view text) {
    const auto open = text.find('(');
    const auto close = text.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) return std::nullopt;
    std::size_t at = close + 1;
    nextField(text, at); // state
    const auto parent = number<std::int32_t>(nextField(text, at));
    const auto group = number<std::int32_t>(nextField(text, at));
    nextField(text, at); // session
    const auto ttyNr = number<std::int64_t>(nextField(text, at));
    if (!parent || !group || !ttyNr) return std::nullopt;
    ProcessLineage lineage{*parent, *group, std::nullopt};
    const auto device = static_cast<std::uint32_t>(*ttyNr);
    if (device != 0 && device != 0xFFFFFFFFu) lineage.tty = device;
    return lineage;
}

} // namespace corvane
