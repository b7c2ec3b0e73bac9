#include "support/DiskSpace.h"

#include "support/ShellCommand.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace corvane {
namespace {

TEST(VolumeSpace, AgreesWithDfAndMissingFolderIsAbsent) {
    test::TempDir folder;
    const auto df = test::runShell("df -B1 --output=size,avail '" + folder.path() + "' | tail -n 1");
    std::uint64_t size = 0, available = 0;
    std::istringstream(df.out) >> size >> available;
    const auto space = readVolumeSpace(folder.path());
    ASSERT_TRUE(space && size > 0) << df.out;
    EXPECT_EQ(space->total, size);
    EXPECT_NEAR(static_cast<double>(space->free), static_cast<double>(available), 0.01 * static_cast<double>(size));
    EXPECT_EQ(readVolumeSpace(folder.path() + "/does/not/exist"), std::nullopt);
}

} // namespace
} // namespace corvane
