#include "support/HomeDirectory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <pwd.h>
#include <unistd.h>

namespace corvane {
namespace {

/// Sets or clears $HOME for one test and restores it afterwards.
class HomeVariable {
public:
    explicit HomeVariable(const char* value) {
        if (const char* old = std::getenv("HOME")) saved_ = old;
        if (value != nullptr) {
            ::setenv("HOME", value, 1);
        } else {
            ::unsetenv("HOME");
        }
    }
    ~HomeVariable() {
        if (saved_) {
            ::setenv("HOME", saved_->c_str(), 1);
        } else {
            ::unsetenv("HOME");
        }
    }

private:
    std::optional<std::string> saved_;
};

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
        HomeVariable home(value);
        EXPECT_EQ(homeDirectory(), expected) << (value != nullptr ? value : "(unset)");
    }
}

} // namespace
} // namespace corvane
