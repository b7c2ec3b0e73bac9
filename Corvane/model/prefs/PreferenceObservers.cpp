#include "prefs/PreferenceObservers.h"

#include <vector>

namespace corvane {

PreferenceSubscription PreferenceObservers::add(PreferenceObserver observer) {
    std::lock_guard lock(registry_->mutex);
    const int id = registry_->nextId++;
    registry_->observers.emplace(id, std::make_shared<const PreferenceObserver>(std::move(observer)));
    return PreferenceSubscription([weak = std::weak_ptr<Registry>(registry_), id] {
        if (const auto registry = weak.lock()) {
            std::lock_guard lock(registry->mutex);
            registry->observers.erase(id);
        }
    });
}

void PreferenceObservers::notify(std::string_view key) const {
    std::vector<std::shared_ptr<const PreferenceObserver>> current;
    {
        std::lock_guard lock(registry_->mutex);
        current.reserve(registry_->observers.size());
        for (const auto& entry : registry_->observers)
            current.push_back(entry.second);
    }
    // Called unlocked so an observer may read the store or end its own subscription.
    for (const auto& observer : current)
        (*observer)(key);
}

} // namespace corvane
