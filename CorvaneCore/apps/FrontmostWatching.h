#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace corvane {

/// The window system's front-most application and its activation events, by application identity.
class FrontmostWatching {
public:
    /// Ends an observation when destroyed; no callback runs after the destructor returns.
    class Observation {
    public:
        virtual ~Observation() = default;
    };
    /// Called with the identity of each newly activated application (absent when it has none);
    /// runs on the watcher's own thread.
    using ActivationHandler = std::function<void(std::optional<std::string>)>;

    virtual ~FrontmostWatching() = default;
    /// The identity of the front-most application now; absent when there is none or it has none.
    virtual std::optional<std::string> frontmostIdentity() = 0;
    /// Starts delivering activations; null when the window system cannot be observed.
    virtual std::unique_ptr<Observation> observe(ActivationHandler handler) = 0;
};

/// The live window system's watcher (X11 on Linux).
std::shared_ptr<FrontmostWatching> makeSystemFrontmostWatcher();

} // namespace corvane
