#include "AttentionCenter.h"

#include "apps/HostApplications.h"

#include <algorithm>

namespace corvane {

namespace {

bool isHostInFront(AIToolKind tool, const std::optional<std::string>& front) {
    if (!front) return false;
    const auto hosts = hostBundleIDs(tool);
    return std::any_of(hosts.begin(), hosts.end(),
                       [&](std::string_view host) { return HostApplications::isFrontmost(host, *front); });
}

} // namespace

AttentionCenter::AttentionCenter(Clock now, FrontmostBundleID frontmostBundleID, IsSuppressed isSuppressed)
    : now_(std::move(now)), frontmostBundleID_(std::move(frontmostBundleID)), isSuppressed_(std::move(isSuppressed)) {}

std::optional<AttentionEvent> AttentionCenter::ingest(const std::vector<AIToolStatus>& statuses) {
    std::lock_guard lock(lock_);
    const Date t = now_();

    std::map<SessionKey, AttentionEvent::Item> current;
    std::vector<SessionKey> order;
    for (const AIToolStatus& status : statuses) {
        for (const AISession& session : status.sessions) {
            if (!needsAttention(session.activity)) continue;
            SessionKey key{status.kind, session.id};
            if (current.count(key) == 0) order.push_back(key);
            current[key] = AttentionEvent::Item{status.kind, session.project, session.id};
        }
    }

    std::map<SessionKey, AttentionEvent::Item> before = std::move(attention_);
    attention_ = std::move(current);
    std::erase_if(unannounced_, [this](const SessionKey& key) { return attention_.count(key) == 0; });

    const std::optional<std::string> front = frontmostBundleID_ ? frontmostBundleID_() : std::nullopt;
    const bool suppressed = isSuppressed_ && isSuppressed_();
    if (suppressed) return std::nullopt;

    for (const SessionKey& key : order) {
        if (before.count(key) != 0) continue;
        if (isHostInFront(attention_.at(key).tool, front)) continue;
        if (const auto last = lastNotified_.find(key);
            last != lastNotified_.end() && secondsBetween(last->second, t) < sessionCooldown) {
            continue;
        }
        unannounced_.insert(key);
    }
    if (unannounced_.empty()) return std::nullopt;
    if (front) {
        std::erase_if(unannounced_, [&](const SessionKey& key) { return isHostInFront(attention_.at(key).tool, front); });
        if (unannounced_.empty()) return std::nullopt;
    }
    if (lastEvent_ && secondsBetween(*lastEvent_, t) < globalInterval) return std::nullopt;

    AttentionEvent event;
    event.date = t;
    for (const SessionKey& key : order) {
        if (unannounced_.count(key) == 0) continue;
        event.items.push_back(attention_.at(key));
        lastNotified_[key] = t;
    }
    unannounced_.clear();
    lastEvent_ = t;
    event.count = static_cast<int>(event.items.size());
    return event;
}

int AttentionCenter::pendingCount() {
    std::lock_guard lock(lock_);
    return static_cast<int>(attention_.size());
}

} // namespace corvane
