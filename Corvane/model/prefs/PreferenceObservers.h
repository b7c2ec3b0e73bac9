#pragma once

#include "prefs/PreferenceStore.h"

#include <map>
#include <memory>
#include <mutex>

namespace corvane {

/// The observer list of a preference store. Subscriptions may outlive it. Safe from any thread.
class PreferenceObservers {
public:
    PreferenceSubscription add(PreferenceObserver observer);
    /// Calls every current observer with `key`; observers may subscribe or unsubscribe meanwhile.
    void notify(std::string_view key) const;

private:
    struct Registry {
        std::mutex mutex;
        std::map<int, std::shared_ptr<const PreferenceObserver>> observers;
        int nextId = 0;
    };
    std::shared_ptr<Registry> registry_ = std::make_shared<Registry>();
};

} // namespace corvane
