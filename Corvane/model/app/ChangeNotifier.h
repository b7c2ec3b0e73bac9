#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace corvane {

/// One subscription to a notifier; destroying it (or calling `cancel`) unsubscribes.
class Subscription {
public:
    Subscription() = default;
    explicit Subscription(std::function<void()> cancel) : cancel_(std::move(cancel)) {}
    ~Subscription() { cancel(); }
    Subscription(Subscription&& other) noexcept : cancel_(std::exchange(other.cancel_, nullptr)) {}
    Subscription& operator=(Subscription&& other) noexcept {
        if (this != &other) {
            cancel();
            cancel_ = std::exchange(other.cancel_, nullptr);
        }
        return *this;
    }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;

    void cancel() {
        if (cancel_) std::exchange(cancel_, nullptr)();
    }

private:
    std::function<void()> cancel_;
};

/// Calls every subscriber with each change, in subscription order. Confined to one thread (the
/// main executor); a subscriber may unsubscribe itself or others while being called.
template <typename Change>
class ChangeNotifier {
public:
    using Observer = std::function<void(const Change&)>;

    ChangeNotifier() : observers_(std::make_shared<std::map<std::uint64_t, Observer>>()) {}

    /// Subscribes `observer`; it is called until the returned subscription ends.
    [[nodiscard]] Subscription subscribe(Observer observer) {
        const std::uint64_t id = nextId_++;
        (*observers_)[id] = std::move(observer);
        return Subscription([weak = std::weak_ptr(observers_), id] {
            if (auto observers = weak.lock()) observers->erase(id);
        });
    }

    void notify(const Change& change) const {
        // Iterate over a copy of the ids so that unsubscribing during the call is safe.
        std::vector<std::uint64_t> ids;
        ids.reserve(observers_->size());
        for (const auto& entry : *observers_) ids.push_back(entry.first);
        for (std::uint64_t id : ids) {
            auto it = observers_->find(id);
            if (it == observers_->end()) continue;
            Observer observer = it->second; // a copy: the observer may erase itself
            observer(change);
        }
    }

private:
    std::shared_ptr<std::map<std::uint64_t, Observer>> observers_;
    std::uint64_t nextId_{1};
};

} // namespace corvane
