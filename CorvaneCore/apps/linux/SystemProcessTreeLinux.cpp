#include "apps/ProcessTree.h"

#include "apps/linux/ProcStat.h"
#include "support/FileRead.h"

#include <unistd.h>

#include <array>
#include <cstdio>

namespace corvane {

std::optional<ProcessLineage> SystemProcessTree::lineage(std::int32_t pid) const {
    if (pid <= 0) return std::nullopt;
    std::array<char, 32> path{};
    std::snprintf(path.data(), path.size(), "/proc/%d/stat", static_cast<int>(pid));
    const UniqueFd fd = openForReading(path.data());
    std::array<char, 1024> buffer{};
    std::string overflow;
    const auto text = preadInto(fd, buffer, overflow);
    if (!text) return std::nullopt;
    return parseProcStat(*text);
}

std::int32_t currentProcessID() {
    return static_cast<std::int32_t>(::getpid());
}

} // namespace corvane
