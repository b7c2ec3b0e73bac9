#pragma once

#include <cstdint>

namespace corvane {

/// Asks an application process to quit in the ordinary way (it may ask the user to save).
class AppTerminating {
public:
    virtual ~AppTerminating() = default;
    /// True when the request was accepted (not that the process has exited); false for a vanished
    /// process or one that is not a regular application.
    virtual bool terminate(std::int32_t pid) = 0;
};

/// Ends an application process at once, without asking it.
class AppForceTerminating {
public:
    virtual ~AppForceTerminating() = default;
    /// True when the process was made to end; false when it is gone, not ours, or not a regular application.
    virtual bool forceTerminate(std::int32_t pid) = 0;
};

} // namespace corvane
