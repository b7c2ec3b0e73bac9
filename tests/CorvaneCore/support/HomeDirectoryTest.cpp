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

TEST(HomeDirectory, PrefersHomeVariableWithoutTrailingSlash) {
    HomeVariable home("/tmp/somewhere/");
    EXPECT_EQ(homeDirectory(), "/tmp/somewhere");
}

TEST(HomeDirectory, FallsBackToPasswordDatabase) {
    const passwd* entry = ::getpwuid(::getuid());
    ASSERT_NE(entry, nullptr);
    const std::string expected = entry->pw_dir;
    {
        HomeVariable home(nullptr);
        EXPECT_EQ(homeDirectory(), expected);
    }
    {
        HomeVariable home("");
        EXPECT_EQ(homeDirectory(), expected);
    }
}

} // namespace
} // namespace corvane
