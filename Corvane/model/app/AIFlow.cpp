#include "app/AIFlow.h"

#include "app/AppModel.h"
#include "app/BackgroundStep.h"
#include "app/WorkTracker.h"
#include "prefs/Prefs.h"
#include "wings/WingsBuilders.h"
#include "words/AINames.h"

namespace corvane {

namespace {

using Field = ModelField;

/// Most finished notes kept.
constexpr std::size_t maxFinishedNotes = 64;

std::set<std::string> waitingKeys(const std::vector<AIToolStatus>& statuses) {
    std::set<std::string> keys;
    for (const AIToolStatus& status : statuses) {
        for (const AISession& session : status.sessions) {
            if (session.activity == AIActivity::waitingForUser) keys.insert(sessionKey(status.kind, session.id));
        }
    }
    return keys;
}

} // namespace

AIFlow::AIFlow(AppModel& model) : model_(model) {
    // The center is called from the sampling queue: it reads time, preferences and the front-most
    // application through thread-safe functions only.
    const AppModel::Services& s = model.services_;
    auto main = s.main;
    auto prefs = s.prefs;
    auto activity = s.activity;
    attention_ = std::make_shared<AttentionCenter>(
        [main] { return main->now(); },
        [activity]() -> std::optional<std::string> { return activity ? activity->frontmost() : std::nullopt; },
        [prefs, main] { return Prefs::isPaused(*prefs, main->now()); });
}

void AIFlow::sample() {
    const AppModel::Services& s = model_.services_;
    if (!s.ai) return;
    runInBackground(*s.queue, s.main, model_.weak_from_this(), [ai = s.ai] { return ai->statuses(); },
                    [this](AppModel&, const std::optional<std::vector<AIToolStatus>>& statuses) {
                        if (statuses) apply(*statuses);
                    });
}

void AIFlow::apply(const std::vector<AIToolStatus>& statuses) {
    model_.publish(aiStatuses_, statuses, Field::aiStatuses);

    WorkTracker::Update work = WorkTracker::update(workStarts_, statuses, model_.now());
    workStarts_ = std::move(work.starts);

    // A note lives while its session keeps waiting; new notes replace older ones.
    const std::set<std::string> waiting = waitingKeys(statuses);
    std::map<std::string, FinishedEvent> info;
    for (const auto& [key, note] : finishedInfo_) {
        if (waiting.contains(key)) info.emplace(key, note);
    }
    for (const auto& [key, note] : work.finished) info.insert_or_assign(key, note);
    while (info.size() > maxFinishedNotes) info.erase(info.begin());
    model_.publish(finishedInfo_, std::move(info), Field::finishedInfo);

    if (model_.islandOpen_) model_.publishMinuteStamp();

    std::optional<AttentionEvent> event = attention_->ingest(statuses);
    if (!aiBaselineDone_) {
        aiBaselineDone_ = true;
        if (!model_.services_.isMock) event.reset(); // sessions already waiting at start-up are not announced
    }
    model_.publish(attentionCount_, attention_->pendingCount(), Field::attentionCount);

    if (!event) return;
    const PreferenceStore& prefs = *model_.services_.prefs;
    if (!Prefs::value(prefs, Prefs::notchEnabled) || Prefs::isPaused(prefs, model_.now())) return;

    std::optional<SessionRef> jump;
    if (event->count == 1 && !event->items.empty()) jump = SessionRef{event->items[0].tool, event->items[0].sessionID};

    for (const AttentionEvent::Item& item : event->items) {
        const auto finished = work.finished.find(sessionKey(item.tool, item.sessionID));
        if (finished == work.finished.end()) continue;
        if (Prefs::value(prefs, Prefs::alertFinished)) {
            if (model_.onWings) model_.onWings(wingsForFinished(finished->second, jump));
            return;
        }
        break;
    }
    if (Prefs::value(prefs, Prefs::alertAIWaiting) && model_.onWings) {
        WingsContent content = wingsForAttention(event->count);
        content.jump = jump;
        model_.onWings(content);
    }
}

std::vector<AIRow> AIFlow::rows() const {
    return makeAIRows(aiStatuses_, model_.now(), finishedInfo_);
}

void AIFlow::setExpanded(bool expanded) {
    model_.publish(aiExpanded_, expanded, Field::aiExpanded);
}

void AIFlow::openSession(AIToolKind tool, const std::string& sessionID) {
    const AppModel::Services& s = model_.services_;
    if (!s.links || !s.opener) return;
    runInBackground(*(s.userInitiated ? s.userInitiated : s.queue), s.main, model_.weak_from_this(),
                    [tool, sessionID, links = s.links] { return links->link(tool, sessionID); },
                    [this, tool](AppModel&, const std::optional<SessionLink>& link) {
                        if (link) {
                            jump(tool, *link);
                        } else {
                            jumpFailed(tool);
                        }
                    });
}

void AIFlow::jump(AIToolKind tool, const SessionLink& link) {
    JumpAction action = link.url ? JumpAction{JumpAction::OpenURL{*link.url, link.hostBundleID}}
                                 : JumpAction{JumpAction::Activate{link.hostBundleID}};
    auto main = model_.services_.main;
    model_.services_.opener->perform(action, [weak = model_.weak_from_this(), tool, main](bool success) {
        main->async([weak, tool, success] {
            auto model = weak.lock();
            if (!model) return;
            if (success) {
                model->onJumped();
            } else {
                model->jumpFailed(tool);
            }
        });
    });
}

void AIFlow::jumpFailed(AIToolKind tool) {
    if (!jumpAlertThrottle_.shouldFire(model_.now()) || !model_.presentAlert) return;
    const std::string name(aiToolDisplayName(tool));
    AlertSpec alert;
    alert.title = "没能打开 " + name;
    alert.message = "暂时没能打开 " + name + "，请先在「应用程序」里打开它。";
    alert.confirmTitle = "好";
    alert.infoOnly = true;
    model_.presentAlert(std::move(alert));
}

} // namespace corvane
