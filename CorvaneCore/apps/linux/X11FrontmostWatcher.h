#pragma once

#include "apps/FrontmostWatching.h"

#include <string>

namespace corvane {

/// The front-most application of the X server at $DISPLAY: the identity of the established owner
/// of the root's _NET_ACTIVE_WINDOW (none when its owner is not established). Each observation runs a reader thread on a connection of its own that
/// waits for PropertyNotify on the root; it ends (and joins) when the observation is destroyed.
class X11FrontmostWatcher final : public FrontmostWatching {
public:
    /// `procRoot` is where process identities are read.
    explicit X11FrontmostWatcher(std::string procRoot = "/proc");

    std::optional<std::string> frontmostIdentity() override;
    std::unique_ptr<Observation> observe(ActivationHandler handler) override;

private:
    std::string procRoot_;
};

} // namespace corvane
