#include "app/OptimizeFlow.h"

#include "app/AppModel.h"
#include "app/BackgroundStep.h"
#include "app/OptimizeTexts.h"
#include "app/Toggled.h"
#include "apps/ForceQuit.h"
#include "apps/QuitEligibility.h"
#include "apps/QuitPlanner.h"
#include "prefs/Prefs.h"

namespace corvane {

namespace {

using Field = ModelField;

constexpr int listedGroups = 30;

std::set<std::string> idsOf(const std::vector<AppGroup>& groups) {
    std::set<std::string> ids;
    for (const AppGroup& group : groups) ids.insert(group.id);
    return ids;
}

std::vector<std::string> namesOf(const std::vector<AppGroup>& groups) {
    std::vector<std::string> names;
    names.reserve(groups.size());
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

} // namespace

std::vector<AppGroup> OptimizeFlow::selectedGroups() const {
    std::vector<AppGroup> groups;
    for (const AppGroup& group : previewGroups_) {
        if (selection_.contains(group.id)) groups.push_back(group);
    }
    return groups;
}

std::uint64_t OptimizeFlow::selectedBytes() const {
    return footprintOf(selectedGroups());
}

std::optional<std::pair<std::uint64_t, std::vector<AppGroup>>> OptimizeFlow::idleReclaim() const {
    if (!idleCandidates_) return std::nullopt;
    return std::make_pair(footprintOf(*idleCandidates_), *idleCandidates_);
}

void OptimizeFlow::scanIdleApps() {
    const AppModel::Services& s = model_.services_;
    runInBackground(
        *s.queue, s.main, model_.weak_from_this(),
        [provider = s.provider] { return QuitPlanner::suggested(provider->topAppGroups(listedGroups), false); },
        [this](AppModel& model, std::optional<std::vector<AppGroup>> candidates) {
            if (!candidates || !model.islandOpen_) return;
            model.publish(idleCandidates_, std::move(candidates), Field::idleCandidates);
        });
}

void OptimizeFlow::open() {
    model_.publish(model_.mode_, DashboardMode::optimize, Field::mode);
    clearResult();
    const std::uint64_t listing = ++listing_;
    model_.publish(previewLoading_, true, Field::previewLoading);
    const AppModel::Services& s = model_.services_;
    runInBackground(
        *s.queue, s.main, model_.weak_from_this(), [provider = s.provider] { return provider->topAppGroups(listedGroups); },
        [this, listing](AppModel& model, std::optional<std::vector<AppGroup>> groups) {
            if (listing == listing_) model.publish(previewLoading_, false, Field::previewLoading);
            if (!groups || model.mode_ != DashboardMode::optimize) return; // the user left the screen
            const bool firstRun = !Prefs::value(*model.services_.prefs, Prefs::hasOptimizedBefore);
            model.publish(previewGroups_, *groups, Field::previewGroups);
            model.publish(selection_, idsOf(QuitPlanner::suggested(*groups, firstRun)), Field::selection);
        });
}

void OptimizeFlow::openImmediately() {
    model_.publish(model_.mode_, DashboardMode::optimize, Field::mode);
    ++listing_;
    model_.publish(previewLoading_, false, Field::previewLoading);
    auto groups = model_.services_.provider->topAppGroups(listedGroups);
    model_.publish(selection_, idsOf(QuitPlanner::suggested(groups, false)), Field::selection);
    model_.publish(previewGroups_, std::move(groups), Field::previewGroups);
}

void OptimizeFlow::toggleGroup(const std::string& id, bool on) {
    model_.publish(selection_, toggled(selection_, id, on), Field::selection);
}

void OptimizeFlow::confirm() {
    const std::vector<AppGroup> groups = selectedGroups();
    if (groups.empty() || !model_.presentAlert) return;
    AlertSpec alert;
    alert.title = "关闭 " + std::to_string(groups.size()) + " 个软件？";
    alert.message = confirmMessage(namesOf(groups), risksOf(groups));
    alert.confirmTitle = "关闭所选";
    // The ticks are read again on confirmation, so changes made meanwhile count.
    alert.onConfirm = [weak = model_.weak_from_this()] {
        if (auto model = weak.lock()) model->quitGroups(model->selectedGroups());
    };
    model_.presentAlert(std::move(alert));
}

void OptimizeFlow::oneClickTapped() {
    const std::vector<AppGroup> groups = idleCandidates_.value_or(std::vector<AppGroup>());
    if (groups.empty()) return;
    if (!Prefs::value(*model_.services_.prefs, Prefs::hasOptimizedBefore)) {
        open(); // a first-time user always sees the full list
        return;
    }
    if (!model_.presentAlert) return;
    AlertSpec alert;
    alert.title = "一键腾出：关闭 " + std::to_string(groups.size()) + " 个闲置软件？";
    alert.message = oneClickMessage(namesOf(groups), risksOf(groups), footprintOf(groups));
    alert.confirmTitle = "关闭";
    alert.secondaryTitle = "先看看列表";
    auto weak = model_.weak_from_this();
    alert.onSecondary = [weak] {
        if (auto model = weak.lock()) model->openOptimize();
    };
    alert.onConfirm = [weak, groups] {
        if (auto model = weak.lock()) model->quitGroups(groups);
    };
    model_.presentAlert(std::move(alert));
}

void OptimizeFlow::quitGroups(const std::vector<AppGroup>& groups) {
    std::vector<AppGroup> kept;
    for (const AppGroup& group : groups) {
        if (isQuitEligible(group)) kept.push_back(group);
    }
    if (kept.empty()) return;
    model_.publish(isQuitting_, true, Field::isQuitting);
    const AppModel::Services& s = model_.services_;
    runInBackground(
        *s.queue, s.main, model_.weak_from_this(),
        [kept, terminator = s.terminator] { return QuitPlanner::quit(kept, *terminator); },
        [this](AppModel&, const std::optional<QuitReport>& report) { quitFinished(report); });
}

void OptimizeFlow::quitFinished(const std::optional<QuitReport>& report) {
    model_.publish(isQuitting_, false, Field::isQuitting);
    model_.publish(model_.mode_, DashboardMode::home, Field::mode);
    clearList();
    if (report && !report->requested.empty() && !model_.services_.isMock) {
        Prefs::set(*model_.services_.prefs, Prefs::hasOptimizedBefore, true);
    }
    const std::string sentence =
        report ? resultSentence(static_cast<int>(report->requested.size()), static_cast<int>(report->skipped.size()),
                                static_cast<int>(report->failed.size()))
               : std::string(quitFailedSentence);
    model_.publish(lastResult_, std::optional<std::string>(sentence), Field::lastResult);
    model_.publish(idleCandidates_, std::optional<std::vector<AppGroup>>(), Field::idleCandidates);
    model_.sampleMemory();
    if (model_.islandOpen_) scanIdleApps();
}

void OptimizeFlow::requestForceQuit(const AppGroup& group) {
    if (!isQuitEligible(group) || !model_.presentAlert) return;
    AlertSpec alert;
    alert.title = "强制退出「" + group.name + "」？";
    alert.message = "强制退出不会询问是否保存，未保存的内容可能丢失。只在它卡住、无法正常退出时使用。";
    alert.confirmTitle = "强制退出";
    alert.destructive = true;
    alert.onConfirm = [weak = model_.weak_from_this(), group] {
        if (auto model = weak.lock()) model->forceQuitConfirmed(group);
    };
    model_.presentAlert(std::move(alert));
}

void OptimizeFlow::forceQuitConfirmed(const AppGroup& group) {
    if (!isQuitEligible(group)) return;
    const AppModel::Services& s = model_.services_;
    runInBackground(
        *s.queue, s.main, model_.weak_from_this(),
        [group, force = s.forceTerminator] { return force && ForceQuit::run(group, *force); },
        [this, group](AppModel&, std::optional<bool> ended) { forceQuitFinished(group, ended.value_or(false)); });
}

void OptimizeFlow::forceQuitFinished(const AppGroup& group, bool ended) {
    if (ended) {
        std::vector<AppGroup> rest;
        for (const AppGroup& g : previewGroups_) {
            if (g.id != group.id) rest.push_back(g);
        }
        std::set<std::string> selection = selection_;
        selection.erase(group.id);
        model_.publish(previewGroups_, std::move(rest), Field::previewGroups);
        model_.publish(selection_, std::move(selection), Field::selection);
    }
    model_.publish(lastResult_, std::optional<std::string>(forceQuitSentence(group.name, ended)), Field::lastResult);
    model_.sampleMemory();
}

void OptimizeFlow::clearList() {
    ++listing_;
    model_.publish(previewLoading_, false, Field::previewLoading);
    model_.publish(previewGroups_, std::vector<AppGroup>(), Field::previewGroups);
    model_.publish(selection_, std::set<std::string>(), Field::selection);
}

void OptimizeFlow::clearResult() {
    model_.publish(lastResult_, std::optional<std::string>(), Field::lastResult);
}

void OptimizeFlow::reset() {
    model_.publish(isQuitting_, false, Field::isQuitting);
    clearList();
    model_.publish(idleCandidates_, std::optional<std::vector<AppGroup>>(), Field::idleCandidates);
}

} // namespace corvane
