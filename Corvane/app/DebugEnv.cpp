#include "app/DebugEnv.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

namespace corvane::DebugEnv {

namespace {

constexpr double defaultHoldSeconds = 3.0;

std::optional<std::string> lookup(const Environment& environment, const std::string& name) {
    const auto found = environment.find(name);
    if (found == environment.end()) return std::nullopt;
    return found->second;
}

/// `from_chars` takes a leading minus but not a plus; a plus before another sign stays invalid.
std::string_view withoutPlus(std::string_view text) {
    if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+') text.remove_prefix(1);
    return text;
}

template <typename Number>
std::optional<Number> parsedWhole(std::string_view text) {
    text = withoutPlus(text);
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

} // namespace

std::optional<std::string> island(const Environment& environment) {
    if (auto name = lookup(environment, "CORVANE_ISLAND")) return name;
    auto test = lookup(environment, "CORVANE_NOTCH_TEST");
    if (test && (*test == "1" || *test == "expanded")) return "pinned";
    return test;
}

std::optional<int> stress(const Environment& environment) {
    const auto text = lookup(environment, "CORVANE_STRESS");
    return text ? parsedWhole<int>(*text) : std::nullopt;
}

std::optional<std::uint64_t> stressSeed(const Environment& environment) {
    const auto text = lookup(environment, "CORVANE_STRESS_SEED");
    return text ? parsedWhole<std::uint64_t>(*text) : std::nullopt;
}

double islandHold(const Environment& environment) {
    const auto text = lookup(environment, "CORVANE_ISLAND_HOLD");
    const auto seconds = text ? parsedWhole<double>(*text) : std::nullopt;
    // A negative or endless hold would never show the demonstration or never end it.
    if (!seconds || !std::isfinite(*seconds) || *seconds < 0) return defaultHoldSeconds;
    return *seconds;
}

} // namespace corvane::DebugEnv
