// Integration: runs `corvane --snapshot` without a display and checks the picture set: complete,
// valid PNG images of the sizes the island, the tray and the settings window have, the same bytes
// on every run, the user's settings untouched, and a folder it cannot write refused.
#include "support/ShellCommand.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>

namespace corvane {
namespace {

/// Every picture the renderer draws.
const std::set<std::string> expectedPictures = [] {
    std::set<std::string> names;
    for (const char* screen : {"home", "optimize", "clean"}) {
        for (const char* scene : {"ok", "ok-ai", "warn", "warn-ai", "bad", "bad-ai"}) {
            names.insert(std::string("dashboard-") + screen + "-" + scene + ".png");
        }
        names.insert(std::string("dashboard-") + screen + "-warn-ai-hover.png");
    }
    for (const char* kind : {"memory-elevated", "memory-critical", "disk", "disk-low", "waiting", "waiting-3", "finished"}) {
        names.insert(std::string("wings-") + kind + ".png");
    }
    for (const char* level : {"normal", "elevated", "critical"}) {
        for (const char* variant : {"", "-percent", "-dot", "-percent-dot"}) {
            names.insert(std::string("tray-") + level + variant + ".png");
        }
    }
    names.insert("settings.png");
    return names;
}();

std::string quoted(const std::string& text) {
    return "'" + text + "'";
}

/// corvane with `arguments`, without a display, in a clean environment with `home`; standard
/// error joins standard output.
test::ShellResult corvane(const test::TempDir& home, const std::string& arguments) {
    std::string command = "env -i HOME=" + quoted(home.path()) + " PATH=/usr/bin:/bin";
    for (const char* sanitizer : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS", "TSAN_OPTIONS"}) {
        if (const char* value = std::getenv(sanitizer)) command += std::string(" ") + sanitizer + "=" + quoted(value);
    }
    return test::runShell(command + " timeout 120 " CORVANE_EXECUTABLE " " + arguments + " 2>&1");
}

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::set<std::string> filesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename());
    return names;
}

struct PngSize {
    std::uint32_t width{};
    std::uint32_t height{};
};

std::uint32_t bigEndian(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

/// The size in the header of a complete PNG file (signature, header chunk first, end chunk
/// last); absent for anything else.
std::optional<PngSize> pngSize(const std::string& bytes) {
    static const std::string signature = "\x89PNG\r\n\x1a\n";
    static const std::string end = std::string("\0\0\0\0IEND\xae\x42\x60\x82", 12);
    if (bytes.size() < 45 || bytes.compare(0, 8, signature) != 0 || bytes.compare(12, 4, "IHDR") != 0) return {};
    if (bytes.compare(bytes.size() - end.size(), end.size(), end) != 0) return {};
    return PngSize{bigEndian(bytes, 16), bigEndian(bytes, 20)};
}

/// What a picture of `name` measures at the renderer's two pixels a point: the dashboard is as
/// wide as the island's 640 points, a notice 36 points high and at least 132 wide, a tray icon
/// fills the 22-point slot, the settings window is 420 × 600.
void expectPlausibleSize(const std::string& name, PngSize size) {
    if (name.starts_with("dashboard-")) {
        EXPECT_EQ(size.width, 1280U) << name;
        EXPECT_GE(size.height, 2U * 120) << name;
        EXPECT_LE(size.height, 2U * 520) << name;
    } else if (name.starts_with("wings-")) {
        EXPECT_EQ(size.height, 72U) << name;
        EXPECT_GE(size.width, 2U * 132) << name;
        EXPECT_LE(size.width, 2U * 400) << name;
    } else if (name.starts_with("tray-")) {
        EXPECT_EQ(size.width, 44U) << name;
        EXPECT_EQ(size.height, 44U) << name;
    } else {
        EXPECT_EQ(size.width, 840U) << name;
        EXPECT_EQ(size.height, 1200U) << name;
    }
}

TEST(Snapshots, TwoRunsWriteTheCompleteSetWithTheSameBytesAndLeaveTheSettingsAlone) {
    test::TempDir home;
    const std::string first = home / "first";
    const std::string second = home / "second/nested";
    const test::ShellResult one = corvane(home, "--snapshot " + quoted(first));
    const test::ShellResult two = corvane(home, "--snapshot " + quoted(second));
    ASSERT_EQ(one.status, 0) << one.out;
    ASSERT_EQ(two.status, 0) << two.out;
    EXPECT_EQ(one.out, "") << "nothing is printed on success";

    ASSERT_EQ(filesIn(first), expectedPictures);
    ASSERT_EQ(filesIn(second), expectedPictures);
    for (const std::string& name : expectedPictures) {
        const std::string bytes = contents(first + "/" + name);
        const std::optional<PngSize> size = pngSize(bytes);
        ASSERT_TRUE(size.has_value()) << name << " is not a complete PNG image";
        expectPlausibleSize(name, *size);
        EXPECT_TRUE(bytes == contents(second + "/" + name)) << name << " differs between the runs";
    }
    EXPECT_FALSE(std::filesystem::exists(home / ".config/quillmere")) << "the preferences file was touched";
    EXPECT_FALSE(std::filesystem::exists(home / ".config/autostart"));
}

TEST(Snapshots, AFolderThatCannotBeMadeOrWrittenFailsWithOneLine) {
    if (const int child = test::rerunCurrentTestUnprivileged(); child >= 0) {
        EXPECT_EQ(child, 0) << "the same test run as an unprivileged user";
        return;
    }
    test::TempDir home;
    home.write("in-the-way", "a file, not a folder");
    const std::string locked = home.makeDirectory("locked");
    ASSERT_EQ(::chmod(locked.c_str(), 0555), 0);

    const test::ShellResult blocked = corvane(home, "--snapshot " + quoted(home / "in-the-way/pictures"));
    EXPECT_EQ(blocked.status, 1);
    EXPECT_TRUE(blocked.out.starts_with("corvane: 无法创建截图文件夹 ")) << blocked.out;
    EXPECT_EQ(blocked.out.find('\n'), blocked.out.size() - 1) << blocked.out;

    const test::ShellResult readOnly = corvane(home, "--snapshot " + quoted(locked));
    EXPECT_EQ(readOnly.status, 1);
    EXPECT_TRUE(readOnly.out.starts_with("corvane: 无法写入截图 " + locked + "/")) << readOnly.out;
    EXPECT_EQ(readOnly.out.find('\n'), readOnly.out.size() - 1) << readOnly.out;
    EXPECT_TRUE(filesIn(locked).empty()) << "no picture and no temporary file is left behind";
}

} // namespace
} // namespace corvane
