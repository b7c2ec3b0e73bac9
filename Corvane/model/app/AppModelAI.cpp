// AI status in the model: polling the watcher, tracking work, raising waiting and finished
// notices, and jumping to a session.
#include "app/AppModel.h"

#include "app/WorkTracker.h"
#include "prefs/Prefs.h"
#include "wings/WingsBuilders.h"
#include "words/AINames.h"

namespace corvane {

namespace {

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

WingsContent finishedWings(const FinishedEvent& e, std::optional<SessionRef> jump) {
    WingsContent c;
    c.symbol = Symbol::checkCircle;
    c.tint = WingsContent::Tint::green;
    c.text = "干完了";
    c.floatingText = e.title;
    c.a11y = e.title + "，" + e.subtitle;
    c.jump = std::move(jump);
    return c;
}

} // namespace

void AppModel::sampleAI() {
    if (!services_.ai) return;
    std::weak_ptr<AppModel> weak = weak_from_this();
    services_.queue->async([weak, ai = services_.ai, main = services_.main] {
        auto statuses = ai->statuses();
        main->async([weak, statuses = std::move(statuses)] {
            if (auto self = weak.lock()) self->applyAI(statuses);
        });
    });
}

void AppModel::applyAI(const std::vector<AIToolStatus>& statuses) {
    publish(aiStatuses_, statuses, Field::aiStatuses);

    WorkTracker::Update work = WorkTracker::update(workStarts_, statuses, now());
    workStarts_ = std::move(work.starts);

    // A note lives while its session keeps waiting; new notes replace older ones.
    const std::set<std::string> waiting = waitingKeys(statuses);
    std::map<std::string, FinishedEvent> info;
    for (const auto& [key, note] : finishedInfo_) {
        if (waiting.contains(key)) info.emplace(key, note);
    }
    for (const auto& [key, note] : work.finished) info.insert_or_assign(key, note);
    while (info.size() > maxFinishedNotes) info.erase(info.begin());
    publish(finishedInfo_, std::move(info), Field::finishedInfo);

    if (islandOpen_) publishMinuteStamp();

    std::optional<AttentionEvent> event = attention_->ingest(statuses);
    if (!aiBaselineDone_) {
        aiBaselineDone_ = true;
        if (!services_.isMock) event.reset(); // sessions already waiting at start-up are not announced
    }
    publish(attentionCount_, attention_->pendingCount(), Field::attentionCount);

    if (!event) return;
    const PreferenceStore& prefs = *services_.prefs;
    if (!Prefs::value(prefs, Prefs::notchEnabled) || Prefs::isPaused(prefs, now())) return;

    std::optional<SessionRef> jump;
    if (event->count == 1 && !event->items.empty()) jump = SessionRef{event->items[0].tool, event->items[0].sessionID};

    for (const AttentionEvent::Item& item : event->items) {
        const auto finished = work.finished.find(sessionKey(item.tool, item.sessionID));
        if (finished == work.finished.end()) continue;
        if (Prefs::value(prefs, Prefs::alertFinished)) {
            if (onWings) onWings(finishedWings(finished->second, jump));
            return;
        }
        break;
    }
    if (Prefs::value(prefs, Prefs::alertAIWaiting) && onWings) {
        WingsContent content = wingsForAttention(event->count);
        content.jump = jump;
        onWings(content);
    }
}

std::vector<AIRow> AppModel::aiRows() const {
    return makeAIRows(aiStatuses_, now(), finishedInfo_);
}

void AppModel::setAIExpanded(bool expanded) {
    publish(aiExpanded_, expanded, Field::aiExpanded);
}

void AppModel::openSession(AIToolKind tool, const std::string& sessionID) {
    if (!services_.linkResolver || !services_.opener) return;
    std::weak_ptr<AppModel> weak = weak_from_this();
    auto run = services_.userInitiated ? services_.userInitiated : services_.queue;
    run->async([weak, tool, sessionID, resolver = services_.linkResolver, main = services_.main] {
        const SessionLink link = resolver(tool, sessionID);
        main->async([weak, tool, link] {
            auto self = weak.lock();
            if (!self) return;
            JumpAction action = link.url ? JumpAction{JumpAction::OpenURL{*link.url, link.hostBundleID}}
                                         : JumpAction{JumpAction::Activate{link.hostBundleID}};
            auto main = self->services_.main;
            self->services_.opener->perform(action, [weak, tool, main](bool success) {
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
        });
    });
}

void AppModel::jumpFailed(AIToolKind tool) {
    if (!jumpAlertThrottle_.shouldFire(now()) || !presentAlert) return;
    const std::string name(aiToolDisplayName(tool));
    AlertSpec alert;
    alert.title = "没能打开 " + name;
    alert.message = "暂时没能打开 " + name + "，请先在「应用程序」里打开它。";
    alert.confirmTitle = "好";
    alert.infoOnly = true;
    presentAlert(std::move(alert));
}

} // namespace corvane
