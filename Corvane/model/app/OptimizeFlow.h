#pragma once

#include "apps/AppGroup.h"
#include "apps/QuitReport.h"

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace corvane {

class AppModel;

/// The optimize flow of the model: listing the largest applications, pre-ticking idle ones,
/// confirming and quitting them in the background. Owns the quit state the model publishes;
/// part of its model and confined to the main executor.
class OptimizeFlow {
public:
    explicit OptimizeFlow(AppModel& model) : model_(model) {}

    const std::optional<std::string>& lastResult() const { return lastResult_; }
    const std::vector<AppGroup>& previewGroups() const { return previewGroups_; }
    /// The latest listing of the optimize screen has not arrived yet.
    bool previewLoading() const { return previewLoading_; }
    const std::set<std::string>& selection() const { return selection_; }
    bool isQuitting() const { return isQuitting_; }
    const std::optional<std::vector<AppGroup>>& idleCandidates() const { return idleCandidates_; }

    /// The listed groups whose id is ticked, in list order.
    std::vector<AppGroup> selectedGroups() const;
    std::uint64_t selectedBytes() const;
    /// The idle candidates and their summed footprint; absent while none were looked for.
    std::optional<std::pair<std::uint64_t, std::vector<AppGroup>>> idleReclaim() const;

    /// Looks for idle applications to offer for one-click quitting (only kept while open).
    void scanIdleApps();
    /// Shows the optimize screen and fills it in the background.
    void open();
    /// The same, synchronously and with the planner's suggestions ticked.
    void openImmediately();
    void toggleGroup(const std::string& id, bool on);
    void confirm();
    void oneClickTapped();
    void requestForceQuit(const AppGroup& group);
    /// Quits the eligible groups among `groups` in the background; a quit that fails as a whole
    /// ends like any other, with a failure sentence.
    void quitGroups(const std::vector<AppGroup>& groups);
    /// Forces one group's processes to end; the row goes only when at least one of them ended.
    void forceQuitConfirmed(const AppGroup& group);

    /// Empties the list and its ticks; a listing still on its way no longer counts as loading.
    void clearList();
    /// Drops the last result.
    void clearResult();
    /// The dashboard closed: no quit shown as running, no list, no candidates.
    void reset();

private:
    void quitFinished(const std::optional<QuitReport>& report);
    void forceQuitFinished(const AppGroup& group, bool ended);

    AppModel& model_;
    std::optional<std::string> lastResult_;
    std::vector<AppGroup> previewGroups_;
    bool previewLoading_{false};
    /// Counts listings, so only the latest one ends the loading state.
    std::uint64_t listing_{0};
    std::set<std::string> selection_;
    bool isQuitting_{false};
    std::optional<std::vector<AppGroup>> idleCandidates_;
};

} // namespace corvane
