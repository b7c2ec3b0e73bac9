#include "prefs/InMemoryPreferenceStore.h"

namespace corvane {

std::optional<PreferenceValue> InMemoryPreferenceStore::value(std::string_view key) const {
    std::lock_guard lock(mutex_);
    return lockedValue(key);
}

std::optional<PreferenceValue> InMemoryPreferenceStore::lockedValue(std::string_view key) const {
    if (auto it = stored_.find(key); it != stored_.end()) return it->second;
    if (auto it = defaults_.find(key); it != defaults_.end()) return it->second;
    return std::nullopt;
}

void InMemoryPreferenceStore::setValue(std::string_view key, PreferenceValue value) {
    bool changed = false;
    {
        std::lock_guard lock(mutex_);
        changed = lockedValue(key) != value;
        stored_.insert_or_assign(std::string(key), value);
    }
    if (changed) observers_.notify(key);
}

void InMemoryPreferenceStore::registerDefault(std::string_view key, PreferenceValue value) {
    std::lock_guard lock(mutex_);
    defaults_.insert_or_assign(std::string(key), value);
}

PreferenceSubscription InMemoryPreferenceStore::onChange(PreferenceObserver observer) {
    return observers_.add(std::move(observer));
}

void InMemoryPreferenceStore::remove(std::string_view key) {
    bool changed = false;
    {
        std::lock_guard lock(mutex_);
        const auto before = lockedValue(key);
        if (auto it = stored_.find(key); it != stored_.end()) stored_.erase(it);
        changed = lockedValue(key) != before;
    }
    if (changed) observers_.notify(key);
}

} // namespace corvane
