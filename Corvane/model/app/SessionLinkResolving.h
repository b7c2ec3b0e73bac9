#pragma once

#include "ai/AIToolKind.h"
#include "ai/SessionLink.h"

#include <string>

namespace corvane {

/// Finds where a jump to an AI session leads.
class SessionLinkResolving {
public:
    virtual ~SessionLinkResolving() = default;
    /// The link into the session's host application; may read files; any thread.
    virtual SessionLink link(AIToolKind tool, const std::string& sessionID) = 0;
};

} // namespace corvane
