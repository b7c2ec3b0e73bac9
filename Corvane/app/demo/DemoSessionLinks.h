#pragma once

#include "app/SessionLinkResolving.h"

namespace corvane {

/// Session links that lead nowhere: no file is read, and the jump only brings the tool's host
/// forward by name (which the demonstration opener ignores).
class DemoSessionLinks final : public SessionLinkResolving {
public:
    SessionLink link(AIToolKind tool, const std::string& /*sessionID*/) override {
        const auto hosts = hostBundleIDs(tool);
        return SessionLink{std::nullopt, hosts.empty() ? std::string() : std::string(hosts.front()), false};
    }
};

} // namespace corvane
