#pragma once

#include "apps/ProcessTree.h"

#include <unordered_map>

namespace corvane {

/// Lineages from one scan of the process table: parents and process groups as the scan read them
/// from each status file, so judging a scan's groups reads no further files for them. Terminals
/// are asked of `fallback` only when enabled (they matter only when the program itself has one);
/// processes the scan did not record are asked of `fallback` entirely. Not thread-safe; one per scan.
class ScannedProcessTree final : public ProcessTreeProviding {
public:
    explicit ScannedProcessTree(const ProcessTreeProviding& fallback);

    /// Records what the scan read for `pid`.
    void add(std::int32_t pid, std::int32_t parent, std::int32_t processGroup);
    /// Whether recorded processes' terminals are asked of the fallback (off by default).
    void readTerminals(bool enabled) { readTerminals_ = enabled; }

    std::optional<ProcessLineage> lineage(std::int32_t pid) const override;
    /// The recorded parent of `pid`; absent when the scan did not record it.
    std::optional<std::int32_t> parentOf(std::int32_t pid) const;

private:
    struct Recorded {
        std::int32_t parent;
        std::int32_t processGroup;
    };

    const ProcessTreeProviding& fallback_;
    std::unordered_map<std::int32_t, Recorded> recorded_;
    bool readTerminals_{false};
};

} // namespace corvane
