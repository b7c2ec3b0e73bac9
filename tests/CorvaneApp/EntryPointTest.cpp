#include "app/ArgValue.h"
#include "app/DebugEnv.h"
#include "app/DisplayChoice.h"
#include "app/MockMode.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace corvane {
namespace {

using Args = std::vector<std::string>;

TEST(ArgValue, FollowsTheFirstExactMatchOnly) {
    struct Case {
        Args args;
        std::optional<std::string> value;
    };
    const std::vector<Case> cases{
        {{"corvane", "--mock", "warn"}, "warn"},
        {{"corvane", "--mock"}, std::nullopt},                       // key last
        {{"corvane", "--mock", "ok", "--mock", "bad"}, "ok"},         // repeated key: the first wins
        {{"corvane", "--mock", "--mock"}, "--mock"},                  // the value is taken as it is
        {{"corvane", "--MOCK", "bad"}, std::nullopt},                  // case-sensitive
        {{"corvane", "--mock=bad"}, std::nullopt},                     // whole arguments only
        {{"corvane", "--snapshot", "/tmp/shots", "--mock", "bad"}, "bad"},
        {{}, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(argValue(c.args, "--mock"), c.value) << testing::PrintToString(c.args);
    }
    EXPECT_EQ(argValue({"corvane", "--mock", "ok"}, "corvane"), "--mock"); // element 0 is an argument too
}

TEST(MockMode, OnlyTheThreeExactNamesStartADemonstration) {
    struct Case {
        Args args;
        std::optional<MockMode> mode;
    };
    const std::vector<Case> cases{
        {{"corvane", "--mock", "ok"}, MockMode::ok},
        {{"corvane", "--mock", "warn"}, MockMode::warn},
        {{"corvane", "--mock", "bad"}, MockMode::bad},
        {{"corvane", "--mock", "Warn"}, std::nullopt},
        {{"corvane", "--mock", "critical"}, std::nullopt},
        {{"corvane", "--mock", ""}, std::nullopt},
        {{"corvane", "--mock"}, std::nullopt},
        {{"corvane", "--mock", "nope", "--mock", "bad"}, std::nullopt}, // only the first value counts
    };
    for (const Case& c : cases) {
        EXPECT_EQ(mockModeFromArguments(c.args), c.mode) << testing::PrintToString(c.args);
    }
    EXPECT_LT(static_cast<int>(MockMode::ok), static_cast<int>(MockMode::warn));
    EXPECT_LT(static_cast<int>(MockMode::warn), static_cast<int>(MockMode::bad));
}

TEST(DebugEnv, IslandPrefersItsOwnVariableAndPinsTheNotchTest) {
    struct Case {
        DebugEnv::Environment env;
        std::optional<std::string> island;
    };
    const std::vector<Case> cases{
        {{}, std::nullopt},
        {{{"CORVANE_ISLAND", "wings"}}, "wings"},
        {{{"CORVANE_ISLAND", ""}}, ""}, // present counts, even empty
        {{{"CORVANE_NOTCH_TEST", "1"}}, "pinned"},
        {{{"CORVANE_NOTCH_TEST", "expanded"}}, "pinned"},
        {{{"CORVANE_NOTCH_TEST", "Expanded"}}, "Expanded"},
        {{{"CORVANE_NOTCH_TEST", "hover"}}, "hover"},
        {{{"CORVANE_ISLAND", "wings"}, {"CORVANE_NOTCH_TEST", "1"}}, "wings"},
        {{{"CORVANE_ISLAND", "1"}}, "1"}, // only the fallback translates
    };
    for (const Case& c : cases) EXPECT_EQ(DebugEnv::island(c.env), c.island) << testing::PrintToString(c.env);
}

TEST(DebugEnv, StressSeedAndHoldParseWholeNumbersOrFallBack) {
    struct Case {
        std::optional<std::string> text;
        std::optional<int> stress;
        std::optional<std::uint64_t> seed;
        double hold;
    };
    const std::vector<Case> cases{
        {std::nullopt, std::nullopt, std::nullopt, 3.0},
        {"5", 5, 5, 5.0},
        {"+5", 5, 5, 5.0},
        {"-3", -3, std::nullopt, 3.0}, // a negative hold would never show the demonstration
        {"5x", std::nullopt, std::nullopt, 3.0},
        {"", std::nullopt, std::nullopt, 3.0},
        {"+", std::nullopt, std::nullopt, 3.0},
        {"+-3", std::nullopt, std::nullopt, 3.0},
        {" 5", std::nullopt, std::nullopt, 3.0},
        {"2.5", std::nullopt, std::nullopt, 2.5},
        {"99999999999", std::nullopt, 99999999999ULL, 99999999999.0},
        {"18446744073709551615", std::nullopt, 18446744073709551615ULL, 18446744073709551615.0},
        {"18446744073709551616", std::nullopt, std::nullopt, 18446744073709551616.0},
        {"nan", std::nullopt, std::nullopt, 3.0},
        {"inf", std::nullopt, std::nullopt, 3.0},
        {"0", 0, 0, 0.0},
    };
    for (const Case& c : cases) {
        DebugEnv::Environment env;
        if (c.text) env = {{"CORVANE_STRESS", *c.text}, {"CORVANE_STRESS_SEED", *c.text}, {"CORVANE_ISLAND_HOLD", *c.text}};
        const std::string shown = c.text.value_or("(absent)");
        EXPECT_EQ(DebugEnv::stress(env), c.stress) << shown;
        EXPECT_EQ(DebugEnv::stressSeed(env), c.seed) << shown;
        EXPECT_DOUBLE_EQ(DebugEnv::islandHold(env), c.hold) << shown;
    }
}

TEST(DebugEnv, ProcessEnvironmentMatchesWhatTheProcessReads) {
    const DebugEnv::Environment& env = DebugEnv::env();
    ASSERT_FALSE(env.empty());
    for (const auto& [name, value] : env) {
        const char* read = std::getenv(name.c_str());
        ASSERT_NE(read, nullptr) << name;
        EXPECT_EQ(value, read) << name;
    }
    EXPECT_EQ(&DebugEnv::env(), &env);
}

TEST(DisplayChoice, PanelsGoThroughXWhereverAnXServerAnswers) {
    struct Case {
        const char* name;
        DisplayFacts facts;
        DisplayChoice choice;
    };
    const std::string xcb = "xcb";
    const std::string wayland = "wayland";
    const DesktopSession x11{"x11", std::nullopt};
    const DesktopSession waylandSession{"wayland", "wayland-0"};
    const std::vector<Case> cases{
        {"plain X11", {std::nullopt, true, false, x11}, {true, std::nullopt}},
        {"Wayland with XWayland", {std::nullopt, true, true, waylandSession}, {true, xcb}},
        {"Wayland without XWayland keeps the tray", {std::nullopt, false, true, waylandSession}, {true, wayland}},
        {"no display at all", {std::nullopt, false, false, {}}, {false, std::nullopt}},
        {"a Wayland session whose compositor is gone", {std::nullopt, false, false, waylandSession}, {false, std::nullopt}},
        {"the user's offscreen platform", {"offscreen", false, false, {}}, {true, std::nullopt}},
        {"the user's xcb without a server", {"xcb", false, true, waylandSession}, {false, std::nullopt}},
        {"the user's wayland is kept", {"wayland", true, true, waylandSession}, {true, std::nullopt}},
    };
    for (const Case& c : cases) EXPECT_EQ(chooseDisplay(c.facts), c.choice) << c.name;
}

} // namespace
} // namespace corvane
