#include "JsonLine.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(JsonLine, BigIntegersParseAsNumbersAndLeaveStringsAlone) {
    struct Case {
        std::string line;
        std::optional<std::string> text; // member "s"; absent: the line is invalid
    };
    const std::vector<Case> cases{
        {R"({"n":123456789012345678901234567890,"s":"a"})", "a"},
        {R"({"n":[-123456789012345678901234567890,18446744073709551616],"s":"b"})", "b"},
        {R"({"s":"x\"123456789012345678901234567890\\","n":123456789012345678901234567890})",
         "x\"123456789012345678901234567890\\"},
        {R"({"s":"-123456789012345678901234567890","n":[1e5,123456789012345678901234567890]})",
         "-123456789012345678901234567890"},
        {R"({"n":0123456789012345678901234567890,"s":"c"})", std::nullopt},
        {R"({"n":123456789012345678901234567890,"s":"d",})", std::nullopt},
        {R"({"n":--123456789012345678901234567890,"s":"e"})", std::nullopt},
        {R"({"s":"unterminated 123456789012345678901234567890)", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto object = JsonLine::parseObject(c.line, false);
        ASSERT_EQ(object.has_value(), c.text.has_value()) << c.line;
        if (object) {
            EXPECT_EQ(JsonLine::stringMember(*object, "s"), c.text) << c.line;
        }
    }
    // The value is kept as the nearest double.
    double value = 0;
    ASSERT_EQ(JsonLine::parseObject(R"({"n":123456789012345678901234567890})", false)->at_key("n").get(value),
              simdjson::SUCCESS);
    EXPECT_DOUBLE_EQ(value, 1.2345678901234568e29);
}

} // namespace
} // namespace corvane
