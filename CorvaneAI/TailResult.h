#pragma once

#include "support/Date.h"

#include <optional>
#include <string>

namespace corvane {

/// What a transcript's tail says the session is doing, before timing rules apply.
enum class RawState {
    waitingText, ///< the agent's turn ended: it waits for the user
    pendingTool, ///< a tool call has no result yet
    busy,        ///< the agent is working
    idle,        ///< the user interrupted the request, or an archived file is no longer recent
    unknown,     ///< nothing in the window settled the state
};

/// A parser's verdict on one transcript tail.
struct TailResult {
    RawState state{RawState::unknown};
    /// The session's working directory, when the window shows one.
    std::optional<std::string> cwd;
    /// The file's modification time as the tail reader saw it.
    Date mtime{};

    bool operator==(const TailResult&) const = default;
};

} // namespace corvane
