#include "apps/BundleInfo.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

std::string infoPlist(const std::string& entries) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
           "<plist version=\"1.0\"><dict>" +
           entries + "</dict></plist>\n";
}

TEST(AppInfo, NameFallsBackFromDisplayNameToBundleNameToFileName) {
    const std::string path = "/Applications/Foo.app";
    EXPECT_EQ(appInfoFromPlist(path, BundlePlistFields{"com.foo", "Foo Display", "Foo Name"}),
              (AppInfo{"com.foo", "Foo Display"}));
    EXPECT_EQ(appInfoFromPlist(path, BundlePlistFields{"com.foo", std::nullopt, "Foo Name"}),
              (AppInfo{"com.foo", "Foo Name"}));
    EXPECT_EQ(appInfoFromPlist(path, BundlePlistFields{std::nullopt, std::nullopt, std::nullopt}),
              (AppInfo{std::nullopt, "Foo"}));
    // An empty display name is chosen, then replaced by the file name (the bundle name is not consulted).
    EXPECT_EQ(appInfoFromPlist(path, BundlePlistFields{"com.foo", "", "Foo Name"}), (AppInfo{"com.foo", "Foo"}));
    EXPECT_EQ(appInfoFromPlist(path, std::nullopt), (AppInfo{std::nullopt, "Foo"}));
}

TEST(AppInfo, ReadsXmlInfoPlistThroughLibplist) {
    test::TempDir dir;
    dir.write("Foo.app/Contents/Info.plist",
              infoPlist("<key>CFBundleIdentifier</key><string>com.example.foo</string>"
                        "<key>CFBundleName</key><string>福</string><key>CFBundleDisplayName</key><integer>3</integer>"));
    const auto fields = readBundlePlist(dir / "Foo.app");
    ASSERT_TRUE(fields);
    EXPECT_EQ(fields->bundleIdentifier, "com.example.foo");
    EXPECT_EQ(fields->displayName, std::nullopt); // not a string
    EXPECT_EQ(fields->bundleName, "福");
}

TEST(AppInfo, UnreadableOrNonDictionaryPlistIsAbsent) {
    test::TempDir dir;
    EXPECT_FALSE(readBundlePlist(dir / "Missing.app"));
    dir.write("Bad.app/Contents/Info.plist", "not a property list at all");
    EXPECT_FALSE(readBundlePlist(dir / "Bad.app"));
    dir.write("Array.app/Contents/Info.plist",
              "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><string>x</string></array></plist>");
    EXPECT_FALSE(readBundlePlist(dir / "Array.app"));
}

TEST(BundleInfoCache, ReadsEachBundleOnce) {
    int reads = 0;
    BundleInfoCache cache([&](const std::string&) {
        ++reads;
        return std::optional<BundlePlistFields>(BundlePlistFields{"com.foo", "Foo", std::nullopt});
    });
    EXPECT_EQ(cache.appInfo("/A/Foo.app"), (AppInfo{"com.foo", "Foo"}));
    EXPECT_EQ(cache.appInfo("/A/Foo.app"), (AppInfo{"com.foo", "Foo"}));
    EXPECT_EQ(reads, 1);
    cache.appInfo("/B/Foo.app");
    EXPECT_EQ(reads, 2);
}

} // namespace
} // namespace corvane
