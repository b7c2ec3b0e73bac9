#include "island/IslandDemonstrations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace corvane {
namespace {

using Kind = IslandDemonstration::Kind;

TEST(IslandDemonstrations, NamesAreUniqueFoundExactlyAndCoverEveryKindOfNotice) {
    std::vector<std::string> names;
    std::set<WingsContent::Tint> tints;
    bool diskFocus = false;
    for (const auto& [name, demonstration] : islandDemonstrations()) {
        names.push_back(name);
        EXPECT_EQ(islandDemonstration(name), demonstration) << name;
        if (demonstration.kind != Kind::wings) continue;
        tints.insert(demonstration.wings.tint);
        diskFocus = diskFocus || demonstration.wings.focus == WingsFocus::disk;
        // A tap must open the dashboard whatever model runs, never jump to a session it lacks.
        EXPECT_FALSE(demonstration.wings.jump) << name;
        EXPECT_FALSE(demonstration.wings.floatingText.empty()) << name;
    }
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 2), (std::vector<std::string>{"pinned", "hover"}));
    EXPECT_EQ(islandDemonstration("pinned")->kind, Kind::pinned);
    EXPECT_EQ(islandDemonstration("hover")->kind, Kind::hover);
    EXPECT_EQ(tints, (std::set<WingsContent::Tint>{WingsContent::Tint::blue, WingsContent::Tint::orange,
                                                   WingsContent::Tint::red, WingsContent::Tint::green}));
    EXPECT_TRUE(diskFocus);
    EXPECT_EQ(islandDemonstration("finished")->wings.floatingText, "Codex 干完了");
    EXPECT_EQ(islandDemonstration("waiting-many")->wings.floatingText, "3 个等你");

    for (const char* unknown : {"", "Pinned", "pinned ", "wings", "expanded"}) {
        EXPECT_FALSE(islandDemonstration(unknown)) << unknown;
    }
}

TEST(IslandDemonstrations, AnUnknownNameGetsOneLineListingEveryKnownName) {
    const std::string line = unknownDemonstrationLine("pinnned");
    EXPECT_EQ(line.rfind("[island] ", 0), 0U);
    EXPECT_NE(line.find("“pinnned”"), std::string::npos);
    EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1);
    EXPECT_EQ(line.back(), '\n');
    for (const auto& entry : islandDemonstrations()) EXPECT_NE(line.find(entry.first), std::string::npos) << entry.first;
}

} // namespace
} // namespace corvane
