#include "apps/AppGroupBuilder.h"

#include <gtest/gtest.h>

#include <map>

namespace corvane {
namespace {

AppAccumulator exec(const std::string& name, std::vector<std::int32_t> pids, std::uint64_t bytes) {
    return AppAccumulator{"exec:" + name, std::nullopt, name, std::move(pids), bytes};
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
    const std::map<std::int32_t, std::string> identities{{1, "org.example.Editor"}, {3, "org.example.Editor"}};
    GroupLookups lookups;
    lookups.identityOf = [&](std::int32_t pid) {
        auto it = identities.find(pid);
        return it == identities.end() ? std::nullopt : std::optional<std::string>(it->second);
    };
    lookups.displayNameOf = [](const std::string& id) {
        return id == "org.example.Editor" ? std::optional<std::string>("编辑器") : std::nullopt;
    };
    lookups.idleSecondsOf = [](const std::string&) { return std::optional<double>(120); };
    WindowFacts windows;
    windows.regularPIDs = {2};
    windows.visiblePIDs = {2};
    const auto groups = buildAppGroups({exec("editor", {1, 2, 3}, 10)}, windows, lookups);
    const AppGroup& g = groups.at(0);
    EXPECT_EQ(g.bundleID, "org.example.Editor");
    EXPECT_EQ(g.id, "org.example.Editor");
    EXPECT_EQ(g.name, "编辑器");
    EXPECT_TRUE(g.isRegularApp);
    EXPECT_TRUE(g.hasVisibleWindow);
    EXPECT_EQ(g.idleSeconds, 120);
}

TEST(AppGroupBuilder, DisagreeingMembersGiveNoIdentity) {
    GroupLookups lookups;
    lookups.identityOf = [](std::int32_t pid) { return std::optional<std::string>(pid == 1 ? "a" : "b"); };
    EXPECT_EQ(agreedIdentity({1, 2}, lookups.identityOf), std::nullopt);
    EXPECT_EQ(agreedIdentity({1, 1}, lookups.identityOf), "a");
    EXPECT_EQ(agreedIdentity({}, lookups.identityOf), std::nullopt);
    EXPECT_EQ(agreedIdentity({1}, nullptr), std::nullopt);
}

TEST(AppGroupBuilder, BundleInformationWinsAndKeepsBundleName) {
    GroupLookups lookups;
    lookups.bundleInfo = [](const std::string&) { return AppInfo{"com.foo", "Foo"}; };
    lookups.identityOf = [](std::int32_t) { return std::optional<std::string>("other"); };
    lookups.displayNameOf = [](const std::string&) { return std::optional<std::string>("never"); };
    const AppAccumulator app{"/Applications/Foo.app", "/Applications/Foo.app", "Foo.app", {4}, 1};
    const auto groups = buildAppGroups({app}, WindowFacts{}, lookups);
    EXPECT_EQ(groups.at(0).bundleID, "com.foo");
    EXPECT_EQ(groups.at(0).name, "Foo");

    // A bundle that declares no identifier takes its members' identity but keeps its own name.
    lookups.bundleInfo = [](const std::string&) { return AppInfo{std::nullopt, "Foo"}; };
    const auto unnamed = buildAppGroups({app}, WindowFacts{}, lookups);
    EXPECT_EQ(unnamed.at(0).bundleID, "other");
    EXPECT_EQ(unnamed.at(0).name, "Foo");
}

} // namespace
} // namespace corvane
