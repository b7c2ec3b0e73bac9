#include "app/CleanFlow.h"

#include "app/AppModel.h"
#include "app/BackgroundStep.h"
#include "app/CleanTexts.h"
#include "app/Toggled.h"
#include "prefs/Prefs.h"

#include <algorithm>

namespace corvane {

using Field = ModelField;

std::vector<DiskItem> CleanFlow::selectedItems() const {
    if (!diskReport_) return {};
    return pickedDiskItems(diskReport_->items, diskSelection_);
}

void CleanFlow::setFocus(bool focus) {
    model_.publish(diskFocus_, focus, Field::diskFocus);
}

void CleanFlow::open() {
    model_.publish(model_.mode_, DashboardMode::clean, Field::mode);
    model_.publish(diskResult_, std::optional<std::string>(), Field::diskResult);
    if (!diskReport_) {
        measure();
        return;
    }
    model_.publish(diskSelection_,
                   defaultDiskSelection(diskReport_->items,
                                        Prefs::value(*model_.services_.prefs, Prefs::hasCleanedDiskBefore)),
                   Field::diskSelection);
}

void CleanFlow::openImmediately(bool firstTime, DiskReport report) {
    model_.publish(diskSelection_, defaultDiskSelection(report.items, !firstTime), Field::diskSelection);
    model_.publish(diskReport_, std::optional<DiskReport>(std::move(report)), Field::diskReport);
    model_.publish(model_.mode_, DashboardMode::clean, Field::mode);
}

std::set<std::string> CleanFlow::runningIDs() const {
    const auto& running = model_.services_.running;
    return running ? running->runningIDs() : std::set<std::string>();
}

void CleanFlow::measure() {
    const AppModel::Services& s = model_.services_;
    if (diskScanning_ || diskReport_ || !s.diskAdvisors) return;
    model_.publish(diskScanning_, true, Field::diskScanning);
    runInBackground(
        *s.diskQueue, s.main, model_.weak_from_this(),
        [running = runningIDs(), advisors = s.diskAdvisors] { return advisors->advisor(running)->scan(); },
        [this](AppModel&, std::optional<DiskReport> report) { scanFinished(std::move(report)); });
}

void CleanFlow::scanFinished(std::optional<DiskReport> report) {
    const AppModel::Services& s = model_.services_;
    model_.publish(diskScanning_, false, Field::diskScanning);
    if (!model_.islandOpen_) {
        // Nobody will look at it: drop it now rather than keep it while the program idles.
        if (report && s.returnFreeMemory) s.diskQueue->async(s.returnFreeMemory);
        return;
    }
    if (!report) {
        model_.publish(diskResult_, std::optional<std::string>(diskScanFailedSentence), Field::diskResult);
        return;
    }
    if (model_.mode_ == DashboardMode::clean) {
        model_.publish(diskSelection_,
                       defaultDiskSelection(report->items, Prefs::value(*s.prefs, Prefs::hasCleanedDiskBefore)),
                       Field::diskSelection);
    }
    model_.publish(diskReport_, std::move(report), Field::diskReport);
}

void CleanFlow::toggle(const std::string& id, bool on) {
    if (!diskReport_) return;
    const auto& items = diskReport_->items;
    const auto it = std::find_if(items.begin(), items.end(), [&id](const DiskItem& item) { return item.id == id; });
    if (it == items.end() || !it->isActionable()) return;
    model_.publish(diskSelection_, toggled(diskSelection_, id, on), Field::diskSelection);
}

void CleanFlow::confirm() {
    const std::vector<DiskItem> items = selectedItems();
    if (items.empty() || isCleaning_ || !model_.presentAlert) return;
    AlertSpec alert;
    alert.title = "把 " + std::to_string(items.size()) + " 项移入废纸篓？";
    alert.message = diskConfirmMessage(items, model_.services_.fileManagerName);
    alert.confirmTitle = "移入废纸篓";
    alert.onConfirm = [weak = model_.weak_from_this(), items] {
        if (auto model = weak.lock()) model->executeClean(items);
    };
    model_.presentAlert(std::move(alert));
}

void CleanFlow::execute(const std::vector<DiskItem>& items) {
    const AppModel::Services& s = model_.services_;
    if (items.empty() || isCleaning_ || !s.diskAdvisors || !s.diskCleaner) return;
    model_.publish(isCleaning_, true, Field::isCleaning);
    runInBackground(
        *s.diskQueue, s.main, model_.weak_from_this(),
        [items, running = runningIDs(), advisors = s.diskAdvisors, cleaner = s.diskCleaner] {
            // Sizes and states may have changed since the list was shown.
            const CleaningPlan plan = intersectForCleaning(items, advisors->advisor(running)->scan().items);
            return Cleaned{plan.toClean.empty() ? DiskCleanReport{} : cleaner->clean(plan.toClean, running),
                           static_cast<int>(plan.skipped.size())};
        },
        [this](AppModel&, const std::optional<Cleaned>& outcome) { cleanFinished(outcome); });
}

void CleanFlow::cleanFinished(const std::optional<Cleaned>& outcome) {
    const AppModel::Services& s = model_.services_;
    model_.publish(isCleaning_, false, Field::isCleaning);
    model_.publish(model_.mode_, DashboardMode::home, Field::mode);
    clearSelection();
    model_.publish(diskReport_, std::optional<DiskReport>(), Field::diskReport);
    const std::string sentence = outcome ? diskResultSentence(outcome->result, outcome->changed, s.fileManagerName)
                                         : std::string(diskCleanFailedSentence);
    model_.publish(diskResult_, std::optional<std::string>(sentence), Field::diskResult);
    if (outcome && outcome->result.bytes != 0 && !s.isMock) Prefs::set(*s.prefs, Prefs::hasCleanedDiskBefore, true);
    model_.sampleMemory();
}

void CleanFlow::clearSelection() {
    model_.publish(diskSelection_, std::set<std::string>(), Field::diskSelection);
}

void CleanFlow::reset() {
    model_.publish(diskReport_, std::optional<DiskReport>(), Field::diskReport);
    clearSelection();
    model_.publish(diskResult_, std::optional<std::string>(), Field::diskResult);
    model_.publish(diskFocus_, false, Field::diskFocus);
    model_.publish(isCleaning_, false, Field::isCleaning);
}

} // namespace corvane
