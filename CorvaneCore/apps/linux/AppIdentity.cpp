#include "apps/linux/AppIdentity.h"

#include "apps/linux/ProcStat.h"
#include "support/FileRead.h"

#include <vector>

namespace corvane {

namespace {

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t at = 0;
    while (true) {
        const auto next = text.find(separator, at);
        parts.push_back(text.substr(at, next == std::string_view::npos ? std::string_view::npos : next - at));
        if (next == std::string_view::npos) return parts;
        at = next + 1;
    }
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

/// The escaped ID inside one unit name; empty when the name is not an application unit.
std::string_view escapedID(std::string_view unit) {
    if (unit.substr(0, 4) != "app-") return {};
    if (unit.ends_with(".scope")) {
        // app[-<launcher>]-<ID>-<random>: the ID is the second-to-last dash-separated part.
        const auto parts = split(unit.substr(0, unit.size() - 6), '-');
        return parts.size() >= 3 ? parts[parts.size() - 2] : std::string_view();
    }
    if (unit.ends_with(".service")) {
        const std::string_view stem = unit.substr(0, unit.size() - 8);
        const auto at = stem.find('@');
        if (at != std::string_view::npos) {
            // app[-<launcher>]-<ID>@<random>: the ID is the last part before "@".
            const auto parts = split(stem.substr(0, at), '-');
            return parts.size() >= 2 ? parts.back() : std::string_view();
        }
        const auto parts = split(stem, '-');
        if (parts.size() == 2) return parts[1];
        return parts.size() >= 3 ? parts[parts.size() - 2] : std::string_view();
    }
    return {};
}

} // namespace

std::string unescapeUnitName(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x') {
            const int high = hexDigit(text[i + 2]);
            const int low = hexDigit(text[i + 3]);
            if (high >= 0 && low >= 0) {
                out += static_cast<char>(high * 16 + low);
                i += 3;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::optional<AppUnit> parseAppUnit(std::string_view cgroupText) {
    for (const std::string_view line : split(cgroupText, '\n')) {
        // hierarchy-ID:controllers:path
        const auto first = line.find(':');
        if (first == std::string_view::npos) continue;
        const auto second = line.find(':', first + 1);
        if (second == std::string_view::npos) continue;
        const auto components = split(line.substr(second + 1), '/');
        for (auto it = components.rbegin(); it != components.rend(); ++it) {
            const std::string_view id = escapedID(*it);
            if (id.empty()) continue;
            std::string applicationID = unescapeUnitName(id);
            if (applicationID.empty()) continue;
            return AppUnit{std::string(*it), std::move(applicationID)};
        }
    }
    return std::nullopt;
}

std::optional<AppUnit> readAppUnit(std::int32_t pid, const std::string& procRoot) {
    const auto text = readWholeFile(procRoot + "/" + std::to_string(pid) + "/cgroup");
    if (!text) return std::nullopt;
    return parseAppUnit(*text);
}

std::optional<std::string> processIdentity(std::int32_t pid, const std::optional<std::string>& windowClass,
                                           std::optional<std::int32_t> parent,
                                           const std::function<std::optional<AppUnit>(std::int32_t)>& unitOf) {
    if (auto unit = unitOf(pid)) {
        const auto parentUnit = parent ? unitOf(*parent) : std::nullopt;
        if (!parentUnit || parentUnit->unit != unit->unit) return std::move(unit->applicationID);
    }
    if (windowClass && !windowClass->empty()) return windowClass;
    return std::nullopt;
}

std::optional<std::string> processIdentity(std::int32_t pid, const std::optional<std::string>& windowClass,
                                           const std::string& procRoot) {
    const auto parent = [&]() -> std::optional<std::int32_t> {
        const auto stat = readWholeFile(procRoot + "/" + std::to_string(pid) + "/stat");
        const auto lineage = stat ? parseProcStat(*stat) : std::nullopt;
        if (!lineage) return std::nullopt;
        return lineage->parent;
    };
    // The parent is read only for a process that is in an application unit.
    const auto unit = readAppUnit(pid, procRoot);
    if (!unit) return windowClass && !windowClass->empty() ? windowClass : std::nullopt;
    return processIdentity(pid, windowClass, parent(), [&](std::int32_t p) {
        return p == pid ? unit : readAppUnit(p, procRoot);
    });
}

} // namespace corvane
