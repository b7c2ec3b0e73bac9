#include "island/ReducedMotion.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

TEST(ReducedMotion, EitherDesktopTurningAnimationsOffReducesMotionAndSilenceMeansOn) {
    struct Case {
        std::optional<bool> gnome;
        std::optional<double> kde;
        bool reduced;
    };
    const Case cases[] = {
        {std::nullopt, std::nullopt, false}, {true, std::nullopt, false}, {false, std::nullopt, true},
        {std::nullopt, 1.0, false},          {std::nullopt, 0.25, false}, {std::nullopt, 0.0, true},
        {std::nullopt, -1.0, true},          {true, 0.0, true},           {false, 2.0, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(prefersReducedMotion({c.gnome, c.kde}), c.reduced)
            << "gnome " << (c.gnome ? std::to_string(*c.gnome) : "absent") << ", kde "
            << (c.kde ? std::to_string(*c.kde) : "absent");
    }
}

TEST(ReducedMotion, KdeFactorIsReadOnlyFromTheKdeGroupLastEntryWinning) {
    struct Case {
        const char* text;
        std::optional<double> factor;
    };
    const Case cases[] = {
        {"", std::nullopt},
        {"[KDE]\nAnimationDurationFactor=0\n", 0.0},
        {"[General]\nColorScheme=Breeze\n\n[KDE]\r\nAnimationDurationFactor = 0.5\r\nSingleClick=false\r\n", 0.5},
        {"[KDE]\nAnimationDurationFactor[$i]=0\n", 0.0},
        {"[General]\nAnimationDurationFactor=0\n", std::nullopt},
        {"[KDE Action Restrictions]\nAnimationDurationFactor=0\n", std::nullopt},
        {"[KDE]\n# AnimationDurationFactor=0\nAnimationDurationFactorX=0\n", std::nullopt},
        {"[KDE]\nAnimationDurationFactor=0\n[KDE]\nAnimationDurationFactor=1\n", 1.0},
        {"[KDE]\nAnimationDurationFactor=slow\n", std::nullopt},
        {"[KDE]\nAnimationDurationFactor=0x\n", std::nullopt},
        {"[KDE]\nAnimationDurationFactor=nan\n", std::nullopt},
        {"[KDE]\nAnimationDurationFactor=\n", std::nullopt},
        {"[KDE]\nAnimationDurationFactor=0", 0.0},
    };
    for (const Case& c : cases) EXPECT_EQ(kdeAnimationDurationFactor(c.text), c.factor) << c.text;
}

} // namespace
} // namespace corvane
