#include "apps/linux/ScannedProcessTree.h"

namespace corvane {

ScannedProcessTree::ScannedProcessTree(const ProcessTreeProviding& fallback) : fallback_(fallback) {
    recorded_.reserve(1024);
}

void ScannedProcessTree::add(std::int32_t pid, std::int32_t parent, std::int32_t processGroup) {
    recorded_[pid] = Recorded{parent, processGroup};
}

std::optional<ProcessLineage> ScannedProcessTree::lineage(std::int32_t pid) const {
    const auto it = recorded_.find(pid);
    if (it == recorded_.end()) return fallback_.lineage(pid);
    ProcessLineage lineage{it->second.parent, it->second.processGroup, std::nullopt};
    if (readTerminals_) {
        if (const auto full = fallback_.lineage(pid)) lineage.tty = full->tty;
    }
    return lineage;
}

std::optional<std::int32_t> ScannedProcessTree::parentOf(std::int32_t pid) const {
    const auto it = recorded_.find(pid);
    if (it == recorded_.end()) return std::nullopt;
    return it->second.parent;
}

} // namespace corvane
