#pragma once

#include "memory/MemorySnapshot.h"
#include "memory/Verdict.h"

#include <cstdint>

/// Turns a snapshot into a plain-language verdict.
namespace corvane::VerdictMaker {

/// Free disk space below this counts as low (15 GiB).
inline constexpr std::uint64_t lowDiskBytes = 16106127360ULL;
/// Swap use at or above this is mentioned in the advice (1 GiB).
inline constexpr std::uint64_t notableSwapBytes = 1073741824ULL;

/// The verdict for `snapshot`. Pure; a snapshot without disk figures never counts as low disk.
Verdict make(const MemorySnapshot& snapshot);

} // namespace corvane::VerdictMaker
