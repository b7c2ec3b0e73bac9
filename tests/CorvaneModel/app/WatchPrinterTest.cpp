#include "cli/WatchCommand.h"

#include "ModelFixture.h"

#include <gtest/gtest.h>

#include <sstream>

namespace corvane {
namespace {

using test::GiB;
using test::ModelFixture;

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line.substr(line.find("] ") + 2));
    return result;
}

TEST(WatchPrinter, PrintsLevelChangesOnceAndEveryNotice) {
    ModelFixture f;
    std::ostringstream out;
    WatchPrinter printer(f.model, out);
    f.sample(PressureLevel::normal);
    f.sample(PressureLevel::normal); // unchanged: nothing printed
    f.sample(PressureLevel::critical, 10 * GiB);
    EXPECT_EQ(lines(out.str()), (std::vector<std::string>{"内存压力：良好（已用 75%）", "内存压力：紧张（已用 75%）",
                                                          "内存紧张，已用 75%", "磁盘只剩 10 GB，点按查看"}));
    EXPECT_EQ(out.str().front(), '[');
}

} // namespace
} // namespace corvane
