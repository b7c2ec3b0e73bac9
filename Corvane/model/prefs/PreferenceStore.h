#pragma once

#include <functional>
#include <optional>
#include <string_view>
#include <utility>
#include <variant>

namespace corvane {

/// A stored preference: the store keeps Booleans and seconds.
using PreferenceValue = std::variant<bool, double>;

/// Called with the key whose value a reader would now see differently.
using PreferenceObserver = std::function<void(std::string_view key)>;

/// A registration of a preference observer; destroying it (or `reset`) ends it: notifications
/// that begin afterwards do not call the observer. Move-only.
class PreferenceSubscription {
public:
    PreferenceSubscription() = default;
    explicit PreferenceSubscription(std::function<void()> end) : end_(std::move(end)) {}
    PreferenceSubscription(PreferenceSubscription&& other) noexcept : end_(std::exchange(other.end_, {})) {}
    PreferenceSubscription& operator=(PreferenceSubscription&& other) noexcept {
        if (this != &other) {
            reset();
            end_ = std::exchange(other.end_, {});
        }
        return *this;
    }
    PreferenceSubscription(const PreferenceSubscription&) = delete;
    PreferenceSubscription& operator=(const PreferenceSubscription&) = delete;
    ~PreferenceSubscription() { reset(); }

    void reset() {
        if (auto end = std::exchange(end_, {})) end();
    }

private:
    std::function<void()> end_;
};

/// The per-user preference store, with registered defaults as the platform's defaults store has.
/// Reads return the stored value, else the registered default, else absent. Safe from any thread.
class PreferenceStore {
public:
    virtual ~PreferenceStore() = default;
    virtual std::optional<PreferenceValue> value(std::string_view key) const = 0;
    virtual void setValue(std::string_view key, PreferenceValue value) = 0;
    /// Sets the value read for `key` while nothing is stored under it.
    virtual void registerDefault(std::string_view key, PreferenceValue value) = 0;
    /// Calls `observer` once after each change of what `value(key)` returns, on the thread that
    /// made the change and outside the store's lock; setting the value already read calls nothing.
    [[nodiscard]] virtual PreferenceSubscription onChange(PreferenceObserver observer) = 0;
};

} // namespace corvane
