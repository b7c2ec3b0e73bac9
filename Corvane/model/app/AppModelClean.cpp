// The clean flow: scanning the cache catalogue, ticking, confirming, re-scanning and moving the
// chosen items to the Trash in the background.
#include "app/AppModel.h"

#include "app/CleanTexts.h"
#include "prefs/Prefs.h"

#include <algorithm>

namespace corvane {

std::vector<DiskItem> AppModel::diskSelectedItems() const {
    if (!diskReport_) return {};
    return pickedDiskItems(diskReport_->items, diskSelection_);
}

void AppModel::setDiskFocus(bool focus) {
    publish(diskFocus_, focus, Field::diskFocus);
}

void AppModel::openClean() {
    publish(mode_, DashboardMode::clean, Field::mode);
    publish(diskResult_, std::optional<std::string>(), Field::diskResult);
    if (!diskReport_) {
        measureDisk();
        return;
    }
    publish(diskSelection_,
            defaultDiskSelection(diskReport_->items, Prefs::value(*services_.prefs, Prefs::hasCleanedDiskBefore)),
            Field::diskSelection);
}

void AppModel::openCleanImmediately(bool firstTime, DiskReport report) {
    publish(diskSelection_, defaultDiskSelection(report.items, !firstTime), Field::diskSelection);
    publish(diskReport_, std::optional<DiskReport>(std::move(report)), Field::diskReport);
    publish(mode_, DashboardMode::clean, Field::mode);
}

void AppModel::measureDisk() {
    if (diskScanning_ || diskReport_ || !services_.diskScanner) return;
    publish(diskScanning_, true, Field::diskScanning);
    std::set<std::string> running = services_.runningIDs ? services_.runningIDs() : std::set<std::string>();
    std::weak_ptr<AppModel> weak = weak_from_this();
    services_.diskQueue->async([weak, running = std::move(running), scanner = services_.diskScanner,
                                release = services_.returnFreeMemory, main = services_.main] {
        DiskReport report = scanner(running);
        main->async([weak, report = std::move(report), release] {
            auto self = weak.lock();
            if (!self) return;
            self->publish(self->diskScanning_, false, Field::diskScanning);
            if (!self->islandOpen_) {
                // Nobody will look at it: drop it now rather than keep it while the program idles.
                if (release) self->services_.diskQueue->async(release);
                return;
            }
            if (self->mode_ == DashboardMode::clean) {
                self->publish(self->diskSelection_,
                              defaultDiskSelection(report.items,
                                                   Prefs::value(*self->services_.prefs, Prefs::hasCleanedDiskBefore)),
                              Field::diskSelection);
            }
            self->publish(self->diskReport_, std::optional<DiskReport>(report), Field::diskReport);
        });
    });
}

void AppModel::toggleDisk(const std::string& id, bool on) {
    if (!diskReport_) return;
    const auto& items = diskReport_->items;
    const auto it = std::find_if(items.begin(), items.end(), [&id](const DiskItem& item) { return item.id == id; });
    if (it == items.end() || !it->isActionable()) return;
    std::set<std::string> next = diskSelection_;
    if (on) {
        next.insert(id);
    } else {
        next.erase(id);
    }
    publish(diskSelection_, std::move(next), Field::diskSelection);
}

void AppModel::confirmClean() {
    const std::vector<DiskItem> items = diskSelectedItems();
    if (items.empty() || isCleaning_ || !presentAlert) return;
    AlertSpec alert;
    alert.title = "把 " + std::to_string(items.size()) + " 项移入废纸篓？";
    alert.message = diskConfirmMessage(items, services_.fileManagerName);
    alert.confirmTitle = "移入废纸篓";
    alert.onConfirm = [weak = weak_from_this(), items] {
        if (auto self = weak.lock()) self->executeClean(items);
    };
    presentAlert(std::move(alert));
}

void AppModel::executeClean(const std::vector<DiskItem>& items) {
    if (items.empty() || isCleaning_ || !services_.diskScanner || !services_.diskCleaner) return;
    publish(isCleaning_, true, Field::isCleaning);
    std::set<std::string> running = services_.runningIDs ? services_.runningIDs() : std::set<std::string>();
    std::weak_ptr<AppModel> weak = weak_from_this();
    services_.diskQueue->async([weak, items, running = std::move(running), scanner = services_.diskScanner,
                                cleaner = services_.diskCleaner, main = services_.main] {
        // Sizes and states may have changed since the list was shown.
        const CleaningPlan plan = intersectForCleaning(items, scanner(running).items);
        const DiskCleanReport result = plan.toClean.empty() ? DiskCleanReport{} : cleaner(plan.toClean, running);
        const int changed = static_cast<int>(plan.skipped.size());
        main->async([weak, result, changed] {
            auto self = weak.lock();
            if (!self) return;
            self->publish(self->isCleaning_, false, Field::isCleaning);
            self->publish(self->mode_, DashboardMode::home, Field::mode);
            self->publish(self->diskSelection_, std::set<std::string>(), Field::diskSelection);
            self->publish(self->diskReport_, std::optional<DiskReport>(), Field::diskReport);
            const std::string sentence = diskResultSentence(result, changed, self->services_.fileManagerName);
            self->publish(self->diskResult_, std::optional<std::string>(sentence), Field::diskResult);
            if (result.bytes != 0 && !self->services_.isMock) {
                Prefs::set(*self->services_.prefs, Prefs::hasCleanedDiskBefore, true);
            }
            self->sampleMemory();
        });
    });
}

} // namespace corvane
