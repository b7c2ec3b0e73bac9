// The optimize flow: listing the largest applications, pre-ticking idle ones, confirming and
// quitting them in the background.
#include "app/AppModel.h"

#include "app/OptimizeTexts.h"
#include "apps/QuitPlanner.h"
#include "prefs/Prefs.h"

namespace corvane {

namespace {

constexpr int listedGroups = 30;

std::set<std::string> idsOf(const std::vector<AppGroup>& groups) {
    std::set<std::string> ids;
    for (const AppGroup& group : groups) ids.insert(group.id);
    return ids;
}

std::vector<std::string> namesOf(const std::vector<AppGroup>& groups) {
    std::vector<std::string> names;
    for (const AppGroup& group : groups) names.push_back(group.name);
    return names;
}

std::vector<QuitRisk> risksOf(const std::vector<AppGroup>& groups) {
    std::vector<QuitRisk> risks;
    for (const AppGroup& group : groups) {
        if (auto note = QuitPlanner::riskNote(group)) risks.push_back({group.name, *note});
    }
    return risks;
}

std::uint64_t footprintOf(const std::vector<AppGroup>& groups) {
    std::uint64_t bytes = 0;
    for (const AppGroup& group : groups) bytes += group.footprintBytes;
    return bytes;
}

bool mayBeQuit(const AppGroup& group) {
    return group.isRegularApp && !group.safety.isProtected();
}

} // namespace

std::vector<AppGroup> AppModel::selectedGroups() const {
    std::vector<AppGroup> groups;
    for (const AppGroup& group : previewGroups_) {
        if (selection_.contains(group.id)) groups.push_back(group);
    }
    return groups;
}

std::uint64_t AppModel::selectedBytes() const {
    return footprintOf(selectedGroups());
}

std::optional<std::pair<std::uint64_t, std::vector<AppGroup>>> AppModel::idleReclaim() const {
    if (!idleCandidates_) return std::nullopt;
    return std::make_pair(footprintOf(*idleCandidates_), *idleCandidates_);
}

void AppModel::scanIdleApps() {
    std::weak_ptr<AppModel> weak = weak_from_this();
    services_.queue->async([weak, provider = services_.provider, main = services_.main] {
        auto candidates = QuitPlanner::suggested(provider->topAppGroups(listedGroups), false);
        main->async([weak, candidates = std::move(candidates)] {
            auto self = weak.lock();
            if (!self || !self->islandOpen_) return;
            self->publish(self->idleCandidates_, std::optional<std::vector<AppGroup>>(candidates), Field::idleCandidates);
        });
    });
}

void AppModel::openOptimize() {
    publish(mode_, DashboardMode::optimize, Field::mode);
    publish(lastResult_, std::optional<std::string>(), Field::lastResult);
    std::weak_ptr<AppModel> weak = weak_from_this();
    services_.queue->async([weak, provider = services_.provider, main = services_.main] {
        auto groups = provider->topAppGroups(listedGroups);
        main->async([weak, groups = std::move(groups)] {
            auto self = weak.lock();
            if (!self || self->mode_ != DashboardMode::optimize) return; // the user left the screen
            const bool firstRun = !Prefs::value(*self->services_.prefs, Prefs::hasOptimizedBefore);
            self->publish(self->previewGroups_, groups, Field::previewGroups);
            self->publish(self->selection_, idsOf(QuitPlanner::suggested(groups, firstRun)), Field::selection);
        });
    });
}

void AppModel::openPreviewImmediately() {
    publish(mode_, DashboardMode::optimize, Field::mode);
    auto groups = services_.provider->topAppGroups(listedGroups);
    publish(selection_, idsOf(QuitPlanner::suggested(groups, false)), Field::selection);
    publish(previewGroups_, std::move(groups), Field::previewGroups);
}

void AppModel::backHome() {
    publish(mode_, DashboardMode::home, Field::mode);
    publish(previewGroups_, std::vector<AppGroup>(), Field::previewGroups);
    publish(selection_, std::set<std::string>(), Field::selection);
    publish(diskSelection_, std::set<std::string>(), Field::diskSelection);
}

void AppModel::toggleGroup(const std::string& id, bool on) {
    std::set<std::string> next = selection_;
    if (on) {
        next.insert(id);
    } else {
        next.erase(id);
    }
    publish(selection_, std::move(next), Field::selection);
}

void AppModel::confirmOptimize() {
    const std::vector<AppGroup> groups = selectedGroups();
    if (groups.empty() || !presentAlert) return;
    AlertSpec alert;
    alert.title = "关闭 " + std::to_string(groups.size()) + " 个软件？";
    alert.message = confirmMessage(namesOf(groups), risksOf(groups));
    alert.confirmTitle = "关闭所选";
    // The ticks are read again on confirmation, so changes made meanwhile count.
    alert.onConfirm = [weak = weak_from_this()] {
        if (auto self = weak.lock()) self->quitGroups(self->selectedGroups());
    };
    presentAlert(std::move(alert));
}

void AppModel::oneClickTapped() {
    const std::vector<AppGroup> groups = idleCandidates_.value_or(std::vector<AppGroup>());
    if (groups.empty()) return;
    if (!Prefs::value(*services_.prefs, Prefs::hasOptimizedBefore)) {
        openOptimize(); // a first-time user always sees the full list
        return;
    }
    if (!presentAlert) return;
    AlertSpec alert;
    alert.title = "一键腾出：关闭 " + std::to_string(groups.size()) + " 个闲置软件？";
    alert.message = oneClickMessage(namesOf(groups), risksOf(groups), footprintOf(groups));
    alert.confirmTitle = "关闭";
    alert.secondaryTitle = "先看看列表";
    std::weak_ptr<AppModel> weak = weak_from_this();
    alert.onSecondary = [weak] {
        if (auto self = weak.lock()) self->openOptimize();
    };
    alert.onConfirm = [weak, groups] {
        if (auto self = weak.lock()) self->quitGroups(groups);
    };
    presentAlert(std::move(alert));
}

void AppModel::quitGroups(const std::vector<AppGroup>& groups) {
    std::vector<AppGroup> kept;
    for (const AppGroup& group : groups) {
        if (mayBeQuit(group)) kept.push_back(group);
    }
    if (kept.empty()) return;
    publish(isQuitting_, true, Field::isQuitting);
    std::weak_ptr<AppModel> weak = weak_from_this();
    services_.queue->async([weak, kept, terminator = services_.terminator, main = services_.main] {
        const QuitReport report = QuitPlanner::quit(kept, *terminator);
        main->async([weak, report] {
            auto self = weak.lock();
            if (!self) return;
            self->publish(self->isQuitting_, false, Field::isQuitting);
            self->publish(self->mode_, DashboardMode::home, Field::mode);
            self->publish(self->previewGroups_, std::vector<AppGroup>(), Field::previewGroups);
            self->publish(self->selection_, std::set<std::string>(), Field::selection);
            if (!report.requested.empty() && !self->services_.isMock) {
                Prefs::set(*self->services_.prefs, Prefs::hasOptimizedBefore, true);
            }
            const std::string sentence =
                resultSentence(static_cast<int>(report.requested.size()), static_cast<int>(report.skipped.size()),
                               static_cast<int>(report.failed.size()));
            self->publish(self->lastResult_, std::optional<std::string>(sentence), Field::lastResult);
            self->publish(self->idleCandidates_, std::optional<std::vector<AppGroup>>(), Field::idleCandidates);
            self->sampleMemory();
            if (self->islandOpen_) self->scanIdleApps();
        });
    });
}

void AppModel::requestForceQuit(const AppGroup& group) {
    if (!mayBeQuit(group) || !presentAlert) return;
    AlertSpec alert;
    alert.title = "强制退出「" + group.name + "」？";
    alert.message = "强制退出不会询问是否保存，未保存的内容可能丢失。只在它卡住、无法正常退出时使用。";
    alert.confirmTitle = "强制退出";
    alert.destructive = true;
    alert.onConfirm = [weak = weak_from_this(), group] {
        if (auto self = weak.lock()) self->forceQuitConfirmed(group);
    };
    presentAlert(std::move(alert));
}

void AppModel::forceQuitConfirmed(const AppGroup& group) {
    if (!mayBeQuit(group)) return;
    std::weak_ptr<AppModel> weak = weak_from_this();
    services_.queue->async([weak, group, force = services_.forceTerminate, main = services_.main] {
        if (force) {
            for (std::int32_t pid : group.pids) force(pid);
        }
        main->async([weak, group] {
            auto self = weak.lock();
            if (!self) return;
            std::vector<AppGroup> rest;
            for (const AppGroup& g : self->previewGroups_) {
                if (g.id != group.id) rest.push_back(g);
            }
            std::set<std::string> selection = self->selection_;
            selection.erase(group.id);
            self->publish(self->previewGroups_, std::move(rest), Field::previewGroups);
            self->publish(self->selection_, std::move(selection), Field::selection);
            self->publish(self->lastResult_, std::optional<std::string>("已强制退出「" + group.name + "」。"),
                          Field::lastResult);
            self->sampleMemory();
        });
    });
}

} // namespace corvane
