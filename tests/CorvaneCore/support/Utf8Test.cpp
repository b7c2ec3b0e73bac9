#include "support/Utf8.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvane {
namespace {

struct Step {
    std::optional<char32_t> scalar;
    std::size_t length;
    bool operator==(const Step&) const = default;
};

std::vector<Step> walk(std::string_view text) {
    std::vector<Step> steps;
    for (std::size_t pos = 0; pos < text.size();) {
        const Utf8Unit unit = decodeUtf8(text, pos);
        steps.push_back({unit.scalar, unit.length});
        pos += unit.length;
    }
    return steps;
}

constexpr std::optional<char32_t> bad = std::nullopt;

// Each ill-formed step is a maximal subpart, the count Unicode's U+FFFD substitution uses.
TEST(Utf8, DecodesScalarsAndSplitsIllFormedBytesIntoMaximalSubparts) {
    const struct {
        std::string_view input;
        std::vector<Step> steps;
    } cases[] = {
        {std::string_view("a\0", 2), {{U'a', 1}, {U'\0', 1}}},
        {"\xC2\x80\xC2\x9F", {{0x80, 2}, {0x9F, 2}}},
        {"\xE6\x96\x87", {{0x6587, 3}}},
        {"\xF0\x9F\x98\x80", {{0x1F600, 4}}},
        {"\xF4\x8F\xBF\xBF", {{0x10FFFF, 4}}},
        {"\xEF\xBF\xBD", {{0xFFFD, 3}}},
        {"\x80", {{bad, 1}}},
        {"\xC0\xAF", {{bad, 1}, {bad, 1}}},             // overlong lead
        {"\xE0\x80\x80", {{bad, 1}, {bad, 1}, {bad, 1}}}, // overlong second byte
        {"\xED\xA0\x80", {{bad, 1}, {bad, 1}, {bad, 1}}}, // surrogate
        {"\xF4\x90\x80\x80", {{bad, 1}, {bad, 1}, {bad, 1}, {bad, 1}}}, // past U+10FFFF
        {"\xF5\xFF", {{bad, 1}, {bad, 1}}},
        {"\xE6\x96", {{bad, 2}}},                     // cut short at the end
        {"\xE6\x96" "a", {{bad, 2}, {U'a', 1}}},       // cut short by another character
        {"\xF0\x9F\x98" "\xE6\x96\x87", {{bad, 3}, {0x6587, 3}}},
        {"\xE6\xE6\x96\x87", {{bad, 1}, {0x6587, 3}}},
    };
    for (const auto& c : cases) EXPECT_EQ(walk(c.input), c.steps) << testing::PrintToString(c.input);
}

} // namespace
} // namespace corvane

namespace corvane {
namespace {

TEST(Utf8, EncodesEveryLengthSoThatDecodingGivesTheScalarBack) {
    const struct {
        char32_t scalar;
        std::size_t length;
    } cases[] = {{0x41, 1},    {0x7F, 1},    {0x80, 2},     {0x7FF, 2},      {0x800, 3},
                 {0xE322, 3},  {0xFFFD, 3},  {0xFFFF, 3},   {0x10000, 4},    {0x10FFFF, 4}};
    for (const auto& c : cases) {
        const std::string bytes = encodeUtf8(c.scalar);
        ASSERT_EQ(bytes.size(), c.length) << std::hex << static_cast<unsigned>(c.scalar);
        EXPECT_TRUE(isValidUtf8(bytes)) << std::hex << static_cast<unsigned>(c.scalar);
        EXPECT_EQ(decodeUtf8(bytes, 0).scalar, c.scalar);
    }
    for (const char32_t invalid : {char32_t{0xD800}, char32_t{0xDFFF}, char32_t{0x110000}}) {
        EXPECT_EQ(encodeUtf8(invalid), replacementCharacter) << std::hex << static_cast<unsigned>(invalid);
    }
}

} // namespace
} // namespace corvane
