#include "app/MachineState.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvane {
namespace {

// The away conditions in their declared order, then the power saver.
enum class Input { asleep, locked, screensOff, powerSaver };

/// One report from a source and what the state must say about it: the new suspended state (or
/// power saver, for that input) when it changed, nothing otherwise.
struct Step {
    Input input;
    bool value;
    std::optional<bool> reported;
};

struct Run {
    const char* name;
    std::vector<Step> steps;
    bool suspendedAfter;
    bool powerSaverAfter;
};

class MachineStateRuns : public ::testing::TestWithParam<Run> {};

TEST_P(MachineStateRuns, ReportOnlyTransitions) {
    MachineState state;
    for (std::size_t i = 0; i < GetParam().steps.size(); ++i) {
        const auto& [input, value, reported] = GetParam().steps[i];
        const std::optional<bool> got = input == Input::powerSaver
                                            ? state.setPowerSaver(value)
                                            : state.set(static_cast<AwayCondition>(input), value);
        EXPECT_EQ(got, reported) << "step " << i;
    }
    EXPECT_EQ(state.suspended(), GetParam().suspendedAfter);
    EXPECT_EQ(state.powerSaver(), GetParam().powerSaverAfter);
}

constexpr auto none = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Table, MachineStateRuns,
    ::testing::Values(
        Run{"SleepAndWake", {{Input::asleep, true, true}, {Input::asleep, false, false}}, false, false},
        Run{"WakeWhileLockedStaysSuspendedUntilUnlock",
            {{Input::locked, true, true},
             {Input::asleep, true, none},
             {Input::asleep, false, none},
             {Input::locked, false, false}},
            false, false},
        Run{"UnlockWhileScreensOffStaysSuspended",
            {{Input::screensOff, true, true},
             {Input::locked, true, none},
             {Input::locked, false, none},
             {Input::screensOff, false, false}},
            false, false},
        Run{"RepeatedReportsAreNotChanges",
            {{Input::locked, true, true},
             {Input::locked, true, none},
             {Input::screensOff, false, none},
             {Input::locked, false, false},
             {Input::locked, false, none}},
            false, false},
        Run{"ReleasedInAnotherOrderResumesOnce",
            {{Input::asleep, true, true},
             {Input::screensOff, true, none},
             {Input::locked, true, none},
             {Input::asleep, false, none},
             {Input::locked, false, none},
             {Input::screensOff, false, false}},
            false, false},
        Run{"PowerSaverOnlyOnChangeAndApartFromSuspension",
            {{Input::powerSaver, false, none},
             {Input::locked, true, true},
             {Input::powerSaver, true, true},
             {Input::powerSaver, true, none},
             {Input::locked, false, false},
             {Input::powerSaver, false, false},
             {Input::powerSaver, true, true}},
            false, true},
        Run{"StillAsleepAtTheEnd", {{Input::screensOff, true, true}, {Input::asleep, true, none},
                                    {Input::screensOff, false, none}},
            true, false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace corvane
