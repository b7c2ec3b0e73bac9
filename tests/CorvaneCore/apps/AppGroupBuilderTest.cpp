#include "apps/AppGroupBuilder.h"

#include <gtest/gtest.h>


namespace corvane {
namespace {

AppAccumulator exec(const std::string& name, std::vector<std::int32_t> pids, std::uint64_t bytes) {
    return AppAccumulator{"exec:" + name, std::nullopt, name, std::move(pids), bytes, {}};
}

TEST(AppGroupBuilder, BareExecutableWithoutIdentityIsNamedAfterItAndUnknown) {
    const auto groups = buildAppGroups({exec("tool", {9, 3, 5}, 42)}, WindowFacts{}, GroupLookups{});
    ASSERT_EQ(groups.size(), 1u);
    const AppGroup& g = groups[0];
    EXPECT_EQ(g.id, "tool");
    EXPECT_EQ(g.name, "tool");
    EXPECT_EQ(g.bundleID, std::nullopt);
    EXPECT_EQ(g.pids, (std::vector<std::int32_t>{3, 5, 9}));
    EXPECT_EQ(g.footprintBytes, 42u);
    EXPECT_FALSE(g.isRegularApp);
    EXPECT_FALSE(g.hasVisibleWindow);
    EXPECT_EQ(g.idleSeconds, std::nullopt);
    EXPECT_EQ(g.safety, SafetyVerdict::canQuit());
}

TEST(AppGroupBuilder, IdentityAndDesktopNameAndIdleComeFromLookups) {
    GroupLookups lookups;
    lookups.displayNameOf = [](const std::string& id) {
        return id == "org.example.Editor" ? std::optional<std::string>("编辑器") : std::nullopt;
    };
    lookups.idleSecondsOf = [](const std::string&) { return std::optional<double>(120); };
    WindowFacts windows;
    windows.regularPIDs = {2};
    windows.visiblePIDs = {2};
    AppAccumulator editor = exec("editor", {1, 2, 3}, 10);
    editor.identities = {"org.example.Editor"};
    const AppGroup g = buildAppGroups({editor}, windows, lookups).at(0);
    EXPECT_EQ(g.bundleID, "org.example.Editor");
    EXPECT_EQ(g.id, "org.example.Editor");
    EXPECT_EQ(g.name, "编辑器");
    EXPECT_TRUE(g.isRegularApp);
    EXPECT_TRUE(g.hasVisibleWindow);
    EXPECT_EQ(g.idleSeconds, 120);
    EXPECT_TRUE(g.memberIdentities.empty());
}

TEST(AppGroupBuilder, BundleKeepsItsOwnIdentityAndListsItsMembersOthers) {
    GroupLookups lookups;
    lookups.bundleInfo = [](const std::string&) { return AppInfo{"com.foo", "Foo"}; };
    lookups.displayNameOf = [](const std::string&) { return std::optional<std::string>("never"); };
    AppAccumulator app{"/Applications/Foo.app", "/Applications/Foo.app", "Foo.app", {4, 5}, 1, {"com.foo", "other"}};
    const AppGroup declared = buildAppGroups({app}, WindowFacts{}, lookups).at(0);
    EXPECT_EQ(declared.bundleID, "com.foo");
    EXPECT_EQ(declared.name, "Foo");
    EXPECT_EQ(declared.memberIdentities, std::vector<std::string>{"other"});

    // A bundle that declares no identifier takes its members' one identity but keeps its own name;
    // members that disagree leave it without one.
    lookups.bundleInfo = [](const std::string&) { return AppInfo{std::nullopt, "Foo"}; };
    app.identities = {"other"};
    const AppGroup agreed = buildAppGroups({app}, WindowFacts{}, lookups).at(0);
    EXPECT_EQ(agreed.bundleID, "other");
    EXPECT_EQ(agreed.name, "Foo");
    EXPECT_TRUE(agreed.memberIdentities.empty());
    app.identities = {"a", "b"};
    const AppGroup mixed = buildAppGroups({app}, WindowFacts{}, lookups).at(0);
    EXPECT_EQ(mixed.bundleID, std::nullopt);
    EXPECT_EQ(mixed.id, "Foo");
    EXPECT_EQ(mixed.memberIdentities, (std::vector<std::string>{"a", "b"}));
}

} // namespace
} // namespace corvane
