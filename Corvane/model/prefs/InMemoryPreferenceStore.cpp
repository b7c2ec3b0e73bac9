#include "prefs/InMemoryPreferenceStore.h"

namespace corvane {

std::optional<PreferenceValue> InMemoryPreferenceStore::value(std::string_view key) const {
    std::lock_guard lock(mutex_);
    if (auto it = stored_.find(key); it != stored_.end()) return it->second;
    if (auto it = defaults_.find(key); it != defaults_.end()) return it->second;
    return std::nullopt;
}

void InMemoryPreferenceStore::setValue(std::string_view key, PreferenceValue value) {
    std::lock_guard lock(mutex_);
    stored_.insert_or_assign(std::string(key), value);
}

void InMemoryPreferenceStore::registerDefault(std::string_view key, PreferenceValue value) {
    std::lock_guard lock(mutex_);
    defaults_.insert_or_assign(std::string(key), value);
}

void InMemoryPreferenceStore::remove(std::string_view key) {
    std::lock_guard lock(mutex_);
    if (auto it = stored_.find(key); it != stored_.end()) stored_.erase(it);
}

} // namespace corvane
