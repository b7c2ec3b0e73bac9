#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace corvane::test {

/// Sets one environment variable (or removes it, for an absent value) for the life of this object
/// and then restores the previous value (or its absence). Not thread-safe: use it only while a
/// test runs single-threaded.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::string name, const std::optional<std::string>& value) : name_(std::move(name)) {
        if (const char* old = std::getenv(name_.c_str())) previous_ = old;
        put(value);
    }
    ~ScopedEnvironment() { put(previous_); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    void put(const std::optional<std::string>& value) const {
        if (value) {
            ::setenv(name_.c_str(), value->c_str(), 1);
        } else {
            ::unsetenv(name_.c_str());
        }
    }

    std::string name_;
    std::optional<std::string> previous_;
};

} // namespace corvane::test
