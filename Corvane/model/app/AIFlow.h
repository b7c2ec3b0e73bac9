#pragma once

#include "AttentionCenter.h"
#include "ai/AIToolStatus.h"
#include "app/AIRows.h"
#include "app/AlertThrottle.h"
#include "app/FinishedEvent.h"
#include "app/SessionLinkResolving.h"
#include "support/Date.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

class AppModel;

/// The AI flow of the model: polling the watcher, tracking work, raising waiting and finished
/// notices, and jumping to a session. Owns the AI state the model publishes; part of its model
/// and confined to the main executor.
class AIFlow {
public:
    explicit AIFlow(AppModel& model);

    const std::vector<AIToolStatus>& aiStatuses() const { return aiStatuses_; }
    int attentionCount() const { return attentionCount_; }
    bool aiExpanded() const { return aiExpanded_; }
    const std::map<std::string, FinishedEvent>& finishedInfo() const { return finishedInfo_; }

    /// The rows of the dashboard's AI section for the last poll.
    std::vector<AIRow> rows() const;

    /// Polls the AI tools in the background and applies the result; a failed poll changes nothing.
    void sample();
    void apply(const std::vector<AIToolStatus>& statuses);
    void setExpanded(bool expanded);
    /// Jumps to a session in its host application; a link that cannot be resolved fails the jump.
    void openSession(AIToolKind tool, const std::string& sessionID);
    /// A jump failed: one information alert per 30 s at most.
    void jumpFailed(AIToolKind tool);

private:
    void jump(AIToolKind tool, const SessionLink& link);

    AppModel& model_;
    std::vector<AIToolStatus> aiStatuses_;
    int attentionCount_{0};
    bool aiExpanded_{false};
    std::map<std::string, FinishedEvent> finishedInfo_;
    std::shared_ptr<AttentionCenter> attention_;
    AlertThrottle jumpAlertThrottle_{30, std::nullopt};
    bool aiBaselineDone_{false};
    std::map<std::string, Date> workStarts_;
};

} // namespace corvane
