#include "disk/DiskLayout.h"
#include "disk/DiskReport.h"
#include "disk/FileURL.h"
#include "support/PercentEncoding.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

DiskItem sized(std::string id, std::uint64_t bytes) {
    DiskItem item;
    item.id = std::move(id);
    item.bytes = bytes;
    return item;
}

TEST(DiskRecords, RiskRawValuesAreExact) {
    EXPECT_EQ(diskRiskFromRaw("safe"), DiskRisk::safe);
    EXPECT_EQ(diskRiskFromRaw("confirm"), DiskRisk::confirm);
    EXPECT_EQ(diskRiskFromRaw("Safe"), std::nullopt);
    EXPECT_EQ(diskRiskFromRaw("CONFIRM"), std::nullopt);
    EXPECT_EQ(diskRiskFromRaw(""), std::nullopt);
}

TEST(DiskRecords, OnlyActionableItemsAreReclaimable) {
    DiskReport report;
    EXPECT_EQ(report.reclaimableBytes(), 0u);
    EXPECT_EQ(report.freeFraction(), 0.0) << "no capacity known";

    DiskItem blocked = sized("blocked", 1000);
    blocked.blockedReason = "Xcode 正在运行，先退出它再清理";
    DiskItem info = sized("info", 2000);
    info.isInfoOnly = true;
    report.items = {sized("a", 30), blocked, info, sized("b", 12)};
    report.freeBytes = 1;
    report.totalBytes = 4;
    EXPECT_EQ(report.reclaimableBytes(), 42u);
    EXPECT_DOUBLE_EQ(report.freeFraction(), 0.25);
    EXPECT_NE(sized("a", 30), sized("a", 31));
}

TEST(DiskRecords, LinuxLayoutKeepsIdsTitlesAndRules) {
    for (const DiskLayout::CatalogueEntry& entry : linuxLayout().entries) {
        const auto index = macLayout().indexOf(entry.id);
        ASSERT_TRUE(index.has_value()) << entry.id;
        const DiskLayout::CatalogueEntry& mac = macLayout().entries[*index];
        EXPECT_EQ(entry.title, mac.title);
        EXPECT_EQ(entry.risk, mac.risk);
        EXPECT_EQ(entry.info, mac.info);
        EXPECT_EQ(entry.minBytes, mac.minBytes);
        if (entry.id != "trash") {
            EXPECT_EQ(entry.detail, mac.detail) << entry.id;
        }
    }
    EXPECT_EQ(macLayout().entries.size(), 14u);
    EXPECT_FALSE(linuxLayout().indexOf("xcode-derived-data").has_value());
}

TEST(FileURL, FilePathsAreDecodedAndOtherUrlsRefused) {
    EXPECT_EQ(filePathOfURL("file:///Users/x/Library/Caches/a%20b.ShipIt/update.B/"),
              "/Users/x/Library/Caches/a b.ShipIt/update.B/");
    EXPECT_EQ(filePathOfURL("FILE://localhost/tmp/x?query#frag"), "/tmp/x");
    EXPECT_EQ(filePathOfURL("file:/tmp/y"), "/tmp/y");
    EXPECT_EQ(filePathOfURL("file://server/share"), std::nullopt);
    EXPECT_EQ(filePathOfURL("https://example.com/update.B"), std::nullopt);
    EXPECT_EQ(filePathOfURL("/plain/path"), std::nullopt);
    EXPECT_EQ(filePathOfURL("file:///bad%2"), std::nullopt);
    const std::string everyByte = [] {
        std::string text = "/";
        for (int byte = 1; byte < 256; ++byte) text += static_cast<char>(byte);
        return text;
    }();
    EXPECT_EQ(filePathOfURL("file://" + percentEncoded(everyByte, "/")), everyByte);
    EXPECT_EQ(absoluteStandardized("/a/b/../c/"), "/a/c");
    EXPECT_EQ(absoluteStandardized("rel/x").front(), '/');
}

} // namespace
} // namespace corvane
