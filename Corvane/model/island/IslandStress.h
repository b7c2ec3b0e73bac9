#pragma once

#include "island/IslandStateMachine.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <random>
#include <string>

namespace corvane {

/// One step of the island's stress test, taken after waiting `delaySeconds`.
struct StressStep {
    enum class Kind {
        /// `input` sent to the island.
        input,
        /// The screens changed (the island closes at once and drops its notice).
        screenChange,
        /// Demonstration notice number `wingsIndex` (among the notices of the demonstration
        /// table) shown for `holdSeconds`.
        wings
    };

    Kind kind{Kind::input};
    IslandInput input{IslandInput::hoverEnter};
    std::size_t wingsIndex{};
    double holdSeconds{};
    double delaySeconds{};

    bool operator==(const StressStep&) const = default;
};

/// Bounds of the stress test's randomness, in seconds. Waits are short, so 2,000 steps take
/// about ten seconds of waiting, yet long enough to let the island's timers and animations
/// (0.18 to 0.4 s) finish now and then.
namespace StressTiming {
inline constexpr double maxDelaySeconds = 0.01;
inline constexpr double minWingsHoldSeconds = 0.05;
inline constexpr double maxWingsHoldSeconds = 0.6;
} // namespace StressTiming

/// The stress test's steps, drawn from a seeded generator: the same seed and notice count give
/// the same steps. About one step in twenty is a screen change and one in ten a notice; the rest
/// are inputs, every input equally likely.
class StressSequence {
public:
    /// `wingsCount`: how many notices there are to choose from (0: no notice steps).
    StressSequence(std::uint64_t seed, std::size_t wingsCount);

    StressStep next();

private:
    std::mt19937_64 random_;
    std::size_t wingsCount_;
};

/// Resident memory may grow this much over a stress run and still count as clean. Caches that
/// fill on first use (fonts, glyphs, icons, style sheets) are filled before the run starts, so
/// what remains is allocator noise; the smallest leak that matters, one dashboard panel per
/// opening, costs its window's backing store (over 1 MiB) every time and exceeds this within a
/// handful of openings.
inline constexpr std::uint64_t stressResidentToleranceBytes = 4ULL << 20;

/// What the stress test found at its end.
struct StressReport {
    std::uint64_t seed{};
    int inputs{};
    int screenChanges{};
    int wings{};
    double seconds{};
    IslandPhaseState state{IslandPhaseState::idle};
    /// Island windows (dashboard or notices) still existing or shown after the close.
    int islandWindowsLeft{};
    int windowsBefore{};
    int windowsAfter{};
    /// Resident memory before and after, each after returning free memory to the system; absent
    /// in sanitizer builds, whose allocators keep freed memory, so resident memory says nothing
    /// about leaks there.
    std::optional<std::uint64_t> residentBefore;
    std::optional<std::uint64_t> residentAfter;

    bool operator==(const StressReport&) const = default;
};

/// True when the run left nothing behind: the island idle, no island window left, no more
/// top-level windows than before and resident memory (where compared) within the tolerance.
bool stressClean(const StressReport& report);

/// The one summary line: "[stress] " + counts, time, seed, the verdict and the figures behind it.
std::string stressSummaryLine(const StressReport& report);

} // namespace corvane
