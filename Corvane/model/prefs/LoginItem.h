#pragma once

namespace corvane {

/// Whether the program starts when the user logs in. Called on the main executor; failures are
/// values: `setEnabled` returns false when the system could not be told.
class LoginItem {
public:
    virtual ~LoginItem() = default;
    virtual bool isEnabled() const = 0;
    virtual bool setEnabled(bool enabled) = 0;
};

} // namespace corvane
