#include "wings/TextWidth.h"
#include "wings/WingsBuilders.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace corvane {
namespace {

constexpr std::uint64_t GiB = 1ULL << 30;

TEST(WingsForPressure, OrangeBelowCriticalRedAtIt) {
    const std::tuple<PressureLevel, Symbol, WingsContent::Tint, std::string> cases[] = {
        {PressureLevel::normal, Symbol::warningFilled, WingsContent::Tint::orange, "偏紧"},
        {PressureLevel::elevated, Symbol::warningFilled, WingsContent::Tint::orange, "偏紧"},
        {PressureLevel::critical, Symbol::stopFilled, WingsContent::Tint::red, "紧张"},
    };
    for (const auto& [level, symbol, tint, word] : cases) {
        WingsContent expected;
        expected.symbol = symbol;
        expected.tint = tint;
        expected.text = "85%";
        expected.floatingText = word + " 85%";
        expected.a11y = "内存" + word + "，已用 85%";
        EXPECT_EQ(wingsForPressure(level, 85), expected) << word;
    }
}

TEST(WingsForDisk, RedBelowEightGiBWithTextsAndFocus) {
    const WingsContent low = wingsForDisk(static_cast<std::uint64_t>(7.9 * static_cast<double>(GiB)));
    EXPECT_EQ(low.symbol, Symbol::stopFilled);
    EXPECT_EQ(low.tint, WingsContent::Tint::red);
    const WingsContent edge = wingsForDisk(8 * GiB);
    EXPECT_EQ(edge.symbol, Symbol::drive);
    EXPECT_EQ(edge.tint, WingsContent::Tint::orange);
    EXPECT_EQ(wingsForDisk(8 * GiB - 1).tint, WingsContent::Tint::red);
    const WingsContent c = wingsForDisk(static_cast<std::uint64_t>(12.4 * static_cast<double>(GiB)));
    EXPECT_EQ(c.text, "12 GB");
    EXPECT_EQ(c.floatingText, "磁盘只剩 12 GB");
    EXPECT_EQ(c.a11y, "磁盘只剩 12 GB，点按查看");
    EXPECT_EQ(c.focus, WingsFocus::disk);
}

TEST(WingsForAttention, SingularAndPlural) {
    for (int count : {0, 1}) {
        const WingsContent c = wingsForAttention(count);
        EXPECT_EQ(c.symbol, Symbol::bellBadge);
        EXPECT_EQ(c.tint, WingsContent::Tint::blue);
        EXPECT_EQ(c.text, "等你");
        EXPECT_EQ(c.floatingText, "等你");
        EXPECT_EQ(c.a11y, "AI 会话在等你回复");
    }
    const WingsContent three = wingsForAttention(3);
    EXPECT_EQ(three.text, "3");
    EXPECT_EQ(three.floatingText, "3 个等你");
    EXPECT_EQ(three.a11y, "3 个 AI 会话在等你回复");
}

TEST(EstimatedTextWidth, LatinAndChineseScalarsBoundaryAndInvalidBytes) {
    EXPECT_DOUBLE_EQ(estimatedTextWidth(""), 0);
    EXPECT_DOUBLE_EQ(estimatedTextWidth("85%"), 22.5);
    EXPECT_DOUBLE_EQ(estimatedTextWidth("磁盘只剩"), 52);                 // four Chinese characters
    EXPECT_DOUBLE_EQ(estimatedTextWidth("一二三四五六七八九十一二"), 156); // twelve
    EXPECT_DOUBLE_EQ(estimatedTextWidth("偏紧 85%"), 2 * 13 + 4 * 7.5);
    EXPECT_DOUBLE_EQ(estimatedTextWidth("\u2E80"), 7.5);  // up to U+2E80 inclusive is narrow
    EXPECT_DOUBLE_EQ(estimatedTextWidth("\u2E81"), 13);
    EXPECT_DOUBLE_EQ(estimatedTextWidth("\U0001F600"), 13); // one scalar, four bytes
    EXPECT_DOUBLE_EQ(estimatedTextWidth("\xFF"), 13);       // invalid byte: a replacement character
    EXPECT_DOUBLE_EQ(estimatedTextWidth("\xE7\xA3"), 26);   // truncated sequence: two replacements
    EXPECT_DOUBLE_EQ(estimatedTextWidth("\xC0\xAF"), 26);   // overlong encoding is rejected
}

} // namespace
} // namespace corvane
