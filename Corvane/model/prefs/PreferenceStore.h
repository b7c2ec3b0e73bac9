#pragma once

#include <optional>
#include <string_view>
#include <variant>

namespace corvane {

/// A stored preference: the store keeps Booleans and seconds.
using PreferenceValue = std::variant<bool, double>;

/// The per-user preference store, with registered defaults as the platform's defaults store has.
/// Reads return the stored value, else the registered default, else absent. Safe from any thread.
class PreferenceStore {
public:
    virtual ~PreferenceStore() = default;
    virtual std::optional<PreferenceValue> value(std::string_view key) const = 0;
    virtual void setValue(std::string_view key, PreferenceValue value) = 0;
    /// Sets the value read for `key` while nothing is stored under it.
    virtual void registerDefault(std::string_view key, PreferenceValue value) = 0;
};

} // namespace corvane
