#pragma once

#include "ai/AIToolStatus.h"
#include "support/Clock.h"

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace corvane {

/// One announcement of sessions that newly need the user.
struct AttentionEvent {
    struct Item {
        AIToolKind tool{AIToolKind::claudeCode};
        std::optional<std::string> project;
        std::string sessionID;
        bool operator==(const Item&) const = default;
    };
    /// The number of announced sessions (equals `items.size()`).
    int count{};
    /// In status order, then in each status's session order.
    std::vector<Item> items;
    Date date{};
    bool operator==(const AttentionEvent&) const = default;
};

/// Decides when the user should hear that sessions need them: each session at most once per
/// episode of waiting, not again within `sessionCooldown` of its last announcement, no event
/// within `globalInterval` of the previous one, nothing while alerts are paused, and nothing for a
/// session whose host application is in front (`frontmostBundleID` gives the front-most
/// application's identity, matched by `HostApplications::isFrontmost`). Thread-safe; the injected
/// functions are called under the center's lock and must not call back into it.
class AttentionCenter {
public:
    using FrontmostBundleID = std::function<std::optional<std::string>()>;
    using IsSuppressed = std::function<bool()>;

    static constexpr double sessionCooldown = 300;
    static constexpr double globalInterval = 30;

    AttentionCenter(Clock now, FrontmostBundleID frontmostBundleID, IsSuppressed isSuppressed);

    /// Takes one poll's statuses; returns the sessions to announce now, if any.
    std::optional<AttentionEvent> ingest(const std::vector<AIToolStatus>& statuses);
    /// How many sessions needed attention at the last ingest, announced or not.
    int pendingCount();

private:
    /// A session, told apart from another tool's session of the same id.
    using SessionKey = std::pair<AIToolKind, std::string>;

    Clock now_;
    FrontmostBundleID frontmostBundleID_;
    IsSuppressed isSuppressed_;
    std::mutex lock_;
    std::map<SessionKey, AttentionEvent::Item> attention_;
    std::set<SessionKey> unannounced_;
    std::map<SessionKey, Date> lastNotified_;
    std::optional<Date> lastEvent_;
};

} // namespace corvane
