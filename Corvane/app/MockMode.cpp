#include "app/MockMode.h"

#include "app/ArgValue.h"

namespace corvane {

std::optional<MockMode> mockModeFromRaw(std::string_view raw) {
    if (raw == "ok") return MockMode::ok;
    if (raw == "warn") return MockMode::warn;
    if (raw == "bad") return MockMode::bad;
    return std::nullopt;
}

std::optional<MockMode> mockModeFromArguments(const std::vector<std::string>& args) {
    const auto value = argValue(args, "--mock");
    return value ? mockModeFromRaw(*value) : std::nullopt;
}

} // namespace corvane
