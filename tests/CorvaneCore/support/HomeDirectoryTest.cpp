#include "support/HomeDirectory.h"

#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <optional>
#include <pwd.h>
#include <unistd.h>

namespace corvane {
namespace {

std::string passwordDatabaseHome() {
    const passwd* entry = ::getpwuid(::getuid());
    return entry != nullptr ? entry->pw_dir : "";
}

TEST(HomeDirectory, OnlyAnAbsoluteHomeVariableCounts) {
    const std::string database = passwordDatabaseHome();
    ASSERT_EQ(database.front(), '/');
    const std::vector<std::pair<const char*, std::string>> table{
        {"/tmp/somewhere/", "/tmp/somewhere"}, {"/", "/"},           {nullptr, database}, {"", database},
        {"relative/home", database},           {"./home", database}, {"~", database},
    };
    for (const auto& [value, expected] : table) {
        const test::ScopedEnvironment home("HOME", value != nullptr ? std::optional<std::string>(value) : std::nullopt);
        EXPECT_EQ(homeDirectory(), expected) << (value != nullptr ? value : "(unset)");
    }
}

} // namespace
} // namespace corvane
