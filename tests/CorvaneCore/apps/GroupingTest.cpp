#include "apps/AppAccumulation.h"
#include "apps/GroupingKey.h"
#include "apps/ProcessIdentities.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace corvane {
namespace {

TEST(GroupingKey, OutermostBundleThenCloneThenFileName) {
    const GroupingKey foo{"/Applications/Foo.app", "/Applications/Foo.app", "Foo.app"};
    const std::pair<const char*, GroupingKey> table[] = {
        {"/Applications/Foo.app/Contents/MacOS/Foo", foo},
        {"/Applications/Foo.app/Contents/Frameworks/Foo Helper.app/Contents/MacOS/Foo Helper", foo},
        {"/opt/Bar.app", {"/opt/Bar.app", "/opt/Bar.app", "Bar.app"}}, // a path ending in .app is its own bundle
        {"/usr/local/bin/tool", {"exec:tool", std::nullopt, "tool"}},
        {"tool", {"exec:tool", std::nullopt, "tool"}},
        {"/usr/bin/my.apps", {"exec:my.apps", std::nullopt, "my.apps"}}, // ".app" inside a file name is no bundle
        {"/Library/Some/Foo.app.bundle/Contents/MacOS/x",
         {"clone:Foo.app", "/Library/Some/Foo.app.bundle", "Foo.app.bundle"}},
    };
    for (const auto& [path, key] : table) EXPECT_EQ(groupingKey(path), key) << path;
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

TEST(AppAccumulation, OneIdentitySpansExecutablesWhileABundleCollectsEveryIdentity) {
    AppAccumulation acc;
    acc.add(1, 10, "/usr/bin/python3", "terminator");
    acc.add(2, 7, "/opt/terminator/helper", "terminator");
    acc.add(3, 1, "/Applications/Foo.app/Contents/MacOS/Foo", "a");
    acc.add(4, 1, "/Applications/Foo.app/Contents/MacOS/Helper", "b");
    ASSERT_EQ(acc.groups().size(), 2u);
    EXPECT_EQ(acc.groups()[0].pids, (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(acc.groups()[0].execName, "python3");
    EXPECT_EQ(acc.groups()[1].key, "/Applications/Foo.app");
    EXPECT_EQ(acc.groups()[1].identities, (std::vector<std::string>{"a", "b"}));
}

TEST(ProcessIdentities, WindowlessChildrenOfTheSameProgramInheritAndNothingIsAskedTwice) {
    const std::vector<ScannedProcess> processes{
        {12, 0, "/usr/bin/python3", 11}, // grandchild, met before its parents
        {11, 0, "/usr/bin/python3", 10}, {10, 0, "/usr/bin/python3", 1},
        {13, 0, "/usr/bin/python3", 10}, // owns a window: answers for itself
        {14, 0, "/usr/bin/bash", 10},    // another program
        {15, 0, "/usr/bin/python3", std::nullopt},
        {20, 0, "/usr/bin/x", 21},       {21, 0, "/usr/bin/x", 20}, // a loop from reused identifiers
    };
    const std::map<std::int32_t, std::string> own{{10, "app"}, {13, "window"}, {20, "loop"}, {21, "loop"}};
    std::multiset<std::int32_t> asked;
    const auto identities = resolveIdentities(
        processes, [](std::int32_t pid) { return pid == 13; },
        [&](std::int32_t pid) {
            asked.insert(pid);
            const auto found = own.find(pid);
            return found == own.end() ? std::nullopt : std::optional<std::string>(found->second);
        });
    const std::vector<std::optional<std::string>> expected{"app",        "app",  "app",  "window",
                                                           std::nullopt, std::nullopt, "loop", "loop"};
    EXPECT_EQ(identities, expected);
    EXPECT_EQ(asked, (std::multiset<std::int32_t>{10, 13, 14, 15, 20}));
}

} // namespace
} // namespace corvane
