#include "apps/AppAccumulation.h"
#include "apps/GroupingKey.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(GroupingKey, HelperInsideBundleBelongsToOutermostApplication) {
    const GroupingKey main = groupingKey("/Applications/Foo.app/Contents/MacOS/Foo");
    const GroupingKey helper =
        groupingKey("/Applications/Foo.app/Contents/Frameworks/Foo Helper.app/Contents/MacOS/Foo Helper");
    EXPECT_EQ(main, (GroupingKey{"/Applications/Foo.app", "/Applications/Foo.app", "Foo.app"}));
    EXPECT_EQ(helper, main);
}

TEST(GroupingKey, PathEndingInAppIsItsOwnBundle) {
    EXPECT_EQ(groupingKey("/opt/Bar.app"), (GroupingKey{"/opt/Bar.app", "/opt/Bar.app", "Bar.app"}));
}

TEST(GroupingKey, BareExecutableIsKeyedByFileName) {
    EXPECT_EQ(groupingKey("/usr/local/bin/tool"), (GroupingKey{"exec:tool", std::nullopt, "tool"}));
    EXPECT_EQ(groupingKey("tool"), (GroupingKey{"exec:tool", std::nullopt, "tool"}));
    // ".app" inside a file name that is not a folder is no bundle.
    EXPECT_EQ(groupingKey("/usr/bin/my.apps").key, "exec:my.apps");
}

TEST(GroupingKey, AppBundleCloneIsKeyedByApplicationName) {
    EXPECT_EQ(groupingKey("/Library/Some/Foo.app.bundle/Contents/MacOS/x"),
              (GroupingKey{"clone:Foo.app", "/Library/Some/Foo.app.bundle", "Foo.app.bundle"}));
}

TEST(AppAccumulation, AddsFootprintsAndKeepsMembersInOrderMet) {
    AppAccumulation acc;
    acc.add(30, 100, "/usr/bin/a");
    acc.add(10, 5, "/usr/bin/b");
    acc.add(20, 50, "/usr/bin/a");
    ASSERT_EQ(acc.groups().size(), 2u);
    EXPECT_EQ(acc.groups()[0].pids, (std::vector<std::int32_t>{30, 20}));
    EXPECT_EQ(acc.groups()[0].bytes, 150u);
    EXPECT_EQ(acc.groups()[1].key, "exec:b");
}

TEST(AppAccumulation, CloneFoldsIntoMatchingApplicationOnly) {
    AppAccumulation acc;
    acc.add(1, 100, "/Library/Some/Foo.app.bundle/Contents/MacOS/x");
    acc.add(2, 200, "/Applications/Foo.app/Contents/MacOS/Foo");
    acc.add(3, 7, "/Library/Other/Bar.app.bundle/Contents/MacOS/y");
    acc.add(4, 1, "/usr/bin/Foo.app"); // a path ending in .app is an application key too
    acc.foldClones();
    const auto& groups = acc.groups();
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(groups[0].key, "/Applications/Foo.app");
    EXPECT_EQ(groups[0].pids, (std::vector<std::int32_t>{2, 1}));
    EXPECT_EQ(groups[0].bytes, 300u);
    // No Bar.app: the clone stays on its own with its bundle path.
    EXPECT_EQ(groups[1].key, "clone:Bar.app");
    EXPECT_EQ(groups[1].appPath, "/Library/Other/Bar.app.bundle");
    EXPECT_EQ(groups[2].key, "/usr/bin/Foo.app");
}

TEST(AppAccumulation, CloneNeverFoldsIntoExecutableOrOtherClone) {
    AppAccumulation acc;
    acc.add(1, 10, "/x/Foo.app.bundle/Contents/MacOS/x");
    acc.add(2, 10, "/usr/bin/Foo.app.bundle"); // a bare executable with that name
    acc.add(3, 10, "/y/Foo.app.bundle/Contents/MacOS/y");
    acc.foldClones();
    EXPECT_EQ(acc.groups().size(), 2u);
    EXPECT_EQ(acc.groups()[0].pids, (std::vector<std::int32_t>{1, 3}));
}

TEST(AppAccumulation, RankingIsStableAndCutBeforeReturning) {
    AppAccumulation acc;
    acc.add(1, 10, "/usr/bin/first");
    acc.add(2, 30, "/usr/bin/big");
    acc.add(3, 10, "/usr/bin/second");
    acc.add(4, 10, "/usr/bin/third");
    const auto top = AppAccumulation(acc).ranked(3);
    ASSERT_EQ(top.size(), 3u);
    EXPECT_EQ(top[0].key, "exec:big");
    EXPECT_EQ(top[1].key, "exec:first");
    EXPECT_EQ(top[2].key, "exec:second");
    EXPECT_TRUE(AppAccumulation(acc).ranked(0).empty());
    EXPECT_TRUE(AppAccumulation(acc).ranked(-5).empty());
    EXPECT_EQ(AppAccumulation(acc).ranked(100).size(), 4u);
}

} // namespace
} // namespace corvane
