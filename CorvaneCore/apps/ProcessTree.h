#pragma once

#include <cstdint>
#include <optional>

namespace corvane {

/// Where a process sits: its parent, its process group and its controlling terminal.
struct ProcessLineage {
    std::int32_t parent{};
    std::int32_t processGroup{};
    /// Controlling terminal device; absent when the process has none.
    std::optional<std::uint32_t> tty;

    bool operator==(const ProcessLineage&) const = default;
};

/// Reads process lineages. Implementations are callable from any thread.
class ProcessTreeProviding {
public:
    virtual ~ProcessTreeProviding() = default;
    /// The lineage of `pid`; absent when it cannot be read (gone, or not inspectable).
    virtual std::optional<ProcessLineage> lineage(std::int32_t pid) const = 0;
};

/// The live process table of this machine.
class SystemProcessTree final : public ProcessTreeProviding {
public:
    std::optional<ProcessLineage> lineage(std::int32_t pid) const override;
};

/// This process's own identifier.
std::int32_t currentProcessID();

} // namespace corvane
