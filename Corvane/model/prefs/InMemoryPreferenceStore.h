#pragma once

#include "prefs/PreferenceObservers.h"
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
    PreferenceSubscription onChange(PreferenceObserver observer) override;
    /// Forgets the stored value of `key`, so its default applies again.
    void remove(std::string_view key);

private:
    std::optional<PreferenceValue> lockedValue(std::string_view key) const;

    mutable std::mutex mutex_;
    std::map<std::string, PreferenceValue, std::less<>> stored_;
    std::map<std::string, PreferenceValue, std::less<>> defaults_;
    PreferenceObservers observers_;
};

} // namespace corvane
