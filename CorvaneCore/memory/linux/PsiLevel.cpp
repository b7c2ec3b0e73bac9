#include "memory/linux/PsiLevel.h"

#include <charconv>

namespace corvane {

namespace {

/// avg10 of the line that starts with `kind` ("some" or "full").
std::optional<double> avg10(std::string_view text, std::string_view kind) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (line.substr(0, kind.size()) != kind) continue;
        const std::size_t at = line.find("avg10=");
        if (at == std::string_view::npos) return std::nullopt;
        const std::string_view number = line.substr(at + 6);
        double value = 0.0;
        // from_chars ignores the process locale, unlike strtod.
        auto [parsedEnd, error] = std::from_chars(number.data(), number.data() + number.size(), value);
        if (error != std::errc() || parsedEnd == number.data()) return std::nullopt;
        return value;
    }
    return std::nullopt;
}

} // namespace

std::optional<PressureLevel> psiKernelLevel(std::string_view text) {
    const auto some = avg10(text, "some ");
    const auto full = avg10(text, "full ");
    if (!some && !full) return std::nullopt;
    const double s = some.value_or(0.0);
    const double f = full.value_or(0.0);
    if (f >= 10.0 || s >= 40.0) return PressureLevel::critical;
    if (s >= 10.0 || f >= 2.0) return PressureLevel::elevated;
    return std::nullopt;
}

} // namespace corvane
