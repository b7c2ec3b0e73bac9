#pragma once

#include "app/FinishedEvent.h"
#include "memory/PressureLevel.h"
#include "wings/WingsContent.h"

#include <cstdint>
#include <optional>

namespace corvane {

/// Free disk space below which the disk notice is red (8 GiB).
inline constexpr std::uint64_t diskNoticeRedBelowBytes = 8589934592ULL;

/// The memory-pressure notice: red for critical, otherwise orange, with the used percentage.
WingsContent wingsForPressure(PressureLevel level, int percent);
/// The low-disk notice: red below 8 GiB free, otherwise orange; focuses the disk section.
WingsContent wingsForDisk(std::uint64_t freeBytes);
/// The notice for `count` AI sessions waiting for the user.
WingsContent wingsForAttention(int count);
/// The notice that a piece of AI work has finished, jumping to `jump` when a tap should.
WingsContent wingsForFinished(const FinishedEvent& event, std::optional<SessionRef> jump);

} // namespace corvane
