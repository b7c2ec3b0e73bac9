#pragma once

#include "memory/MemorySnapshot.h"
#include "memory/PressureLevel.h"
#include "memory/VMCounters.h"
#include "support/Date.h"

#include <cstdint>
#include <optional>

/// Pure arithmetic from page counters to byte figures and a pressure level.
namespace corvane::MemoryMath {

/// Available fraction below which the inferred level is critical.
inline constexpr double criticalAvailableFraction = 0.05;
/// Available fraction below which the inferred level is elevated.
inline constexpr double elevatedAvailableFraction = 0.12;
/// Available fraction below which heavy swap also means elevated.
inline constexpr double swapPressureAvailableFraction = 0.25;
/// Swap used, as a fraction of physical memory, that counts as heavy swap.
inline constexpr double swapPressureFraction = 0.25;

/// Combines one sample. Subtractions floor at zero; `level` absent means inferred.
MemorySnapshot compute(const VMCounters& counters, std::uint64_t pageSize, std::uint64_t totalBytes,
                       std::uint64_t swapUsed, std::uint64_t swapTotal, std::uint64_t diskFree,
                       std::uint64_t diskTotal, std::optional<PressureLevel> level, Date timestamp);

/// The level implied by the byte figures alone.
PressureLevel inferLevel(std::uint64_t totalBytes, std::uint64_t freeBytes, std::uint64_t cachedBytes,
                         std::uint64_t swapUsed);

/// A kernel pressure value: below 2 normal, 2 or 3 elevated, anything else critical.
PressureLevel level(std::int32_t fromKernel);

} // namespace corvane::MemoryMath
