#pragma once

#include "prefs/PreferenceStore.h"

#include <map>
#include <mutex>
#include <string>

namespace corvane {

/// A preference store that lives only as long as the process (headless use and tests).
class InMemoryPreferenceStore final : public PreferenceStore {
public:
    std::optional<PreferenceValue> value(std::string_view key) const override;
    void setValue(std::string_view key, PreferenceValue value) override;
    void registerDefault(std::string_view key, PreferenceValue value) override;
    /// Forgets the stored value of `key`, so its default applies again.
    void remove(std::string_view key);

private:
    mutable std::mutex mutex_;
    std::map<std::string, PreferenceValue, std::less<>> stored_;
    std::map<std::string, PreferenceValue, std::less<>> defaults_;
};

} // namespace corvane
