#include "apps/linux/DesktopEntry.h"
#include "support/HomeDirectory.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(DesktopEntry, FoldersIgnoreRelativePathsAsTheHomeDoes) {
    const test::ScopedEnvironment home("HOME", "relative");
    const test::ScopedEnvironment dataHome("XDG_DATA_HOME", "data");
    const test::ScopedEnvironment dataDirs("XDG_DATA_DIRS", "share:/opt/share");
    EXPECT_EQ(applicationDirectories(),
              (std::vector<std::string>{homeDirectory() + "/.local/share/applications", "/opt/share/applications"}));
    EXPECT_EQ(homeDirectory().front(), '/');
}

} // namespace
} // namespace corvane
