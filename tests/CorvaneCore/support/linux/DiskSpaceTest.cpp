#include "support/DiskSpace.h"

#include "support/ShellCommand.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace corvane {
namespace {

// The volume of a temporary folder agrees with df, which counts the same blocks; a folder
// that does not exist has no volume.
TEST(VolumeSpace, TotalMatchesDfAndMissingFolderIsAbsent) {
    test::TempDir folder;
    const auto df = test::runShell("df -B1 --output=size,avail '" + folder.path() + "' | tail -n 1");
    ASSERT_EQ(df.status, 0);
    std::uint64_t size = 0;
    std::uint64_t available = 0;
    std::istringstream(df.out) >> size >> available;
    const auto space = readVolumeSpace(folder.path());
    ASSERT_TRUE(space);
    EXPECT_EQ(space->total, size);
    EXPECT_LE(space->free, space->total);
    EXPECT_NEAR(static_cast<double>(space->free), static_cast<double>(available), 0.01 * static_cast<double>(size));
    EXPECT_EQ(readVolumeSpace(folder.path() + "/does/not/exist"), std::nullopt);
}

} // namespace
} // namespace corvane
