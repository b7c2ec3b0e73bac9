// Files that other programs or users can place where Corvane reads: a FIFO, a device or a huge
// file must count as missing, never hang a read or exhaust memory.
#include "apps/BundleInfo.h"
#include "apps/linux/DesktopEntry.h"
#include "disk/SystemDiskAdvisor.h"
#include "disk/WorktreeInspector.h"
#include "support/RegularFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>

namespace corvane {
namespace {

using test::TempDir;

/// Larger than every reader's cap.
constexpr std::size_t oversized = 600 * 1024;

struct Reader {
    const char* kind;
    /// Where the reader looks, relative to the folder it is given.
    std::string file;
    std::string valid;
    /// `valid` grown beyond the reader's cap, still well-formed.
    std::string grown;
    /// Whether the reader accepted the file, given the folder.
    std::function<bool(const std::string& folder)> accepts;
};

std::vector<Reader> readers() {
    const std::string pad(oversized, 'x');
    const auto plist = [](const std::string& extra) {
        return R"(<?xml version="1.0" encoding="UTF-8"?><plist version="1.0"><dict>)"
               R"(<key>CFBundleIdentifier</key><string>com.example.App</string>)" +
               extra + "</dict></plist>";
    };
    return {
        {"update-state file", "ShipItState.plist", R"({"bundleIdentifier":"com.example.App"})",
         R"({"bundleIdentifier":"com.example.App","pad":")" + pad + "\"}",
         [](const std::string& folder) {
             return SystemDiskAdvisor::readStateDict(folder + "/ShipItState.plist").has_value();
         }},
        {"information file", "Contents/Info.plist", plist(""), plist("<key>Pad</key><string>" + pad + "</string>"),
         [](const std::string& folder) { return readBundlePlist(folder).has_value(); }},
        {"desktop entry", "tool.desktop", "[Desktop Entry]\nName=Tool\n", "[Desktop Entry]\nName=Tool\n#" + pad + "\n",
         [](const std::string& folder) { return DesktopNameCache({folder}).displayName("tool").has_value(); }},
        {"worktree .git file", ".git", "gitdir: /repo/.git/worktrees/w\n",
         "gitdir: /repo/.git/worktrees/w\n" + std::string(4096, '\n'),
         [](const std::string& folder) {
             return WorktreeInspector::inspect(folder, 2) != WorktreeVerdict::notWorktree;
         }},
    };
}

TEST(PlacedFileReads, FifoDeviceAndOversizedFilesCountAsMissing) {
    for (const Reader& reader : readers()) {
        SCOPED_TRACE(reader.kind);
        TempDir dir;
        dir.write("valid/" + reader.file, reader.valid);
        EXPECT_TRUE(reader.accepts(dir / "valid"));
        dir.write("grown/" + reader.file, reader.grown);
        EXPECT_FALSE(reader.accepts(dir / "grown"));
        dir.makeDirectory("fifo/" + reader.file.substr(0, reader.file.rfind('/') + 1));
        ASSERT_EQ(::mkfifo((dir / "fifo/" + reader.file).c_str(), 0600), 0);
        EXPECT_FALSE(reader.accepts(dir / "fifo")); // a blocking open would wait for a writer forever
        dir.makeDirectory("zero/" + reader.file.substr(0, reader.file.rfind('/') + 1));
        dir.symlink("/dev/zero", "zero/" + reader.file);
        EXPECT_FALSE(reader.accepts(dir / "zero")); // reading it whole would never end
    }
}

TEST(PlacedFileReads, CapIsInclusiveAndALinkToARegularFileIsRead) {
    TempDir dir;
    const std::string exact = dir.write("exact", std::string(100, 'a'));
    EXPECT_EQ(readRegularFile(exact, 100), std::string(100, 'a'));
    EXPECT_FALSE(readRegularFile(exact, 99));
    EXPECT_EQ(readRegularFile(dir.write("empty", ""), 0), "");
    EXPECT_EQ(readRegularFile(dir.symlink(exact, "link"), 100), std::string(100, 'a'));
}

} // namespace
} // namespace corvane
