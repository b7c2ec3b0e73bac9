#pragma once

#include "disk/DiskCleanReport.h"
#include "disk/DiskItem.h"
#include "disk/DiskReport.h"

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace corvane {

class AppModel;

/// The clean flow of the model: scanning the cache catalogue, ticking, confirming, re-scanning
/// and moving the chosen items to the Trash in the background. Owns the disk state the model
/// publishes; part of its model and confined to the main executor.
class CleanFlow {
public:
    explicit CleanFlow(AppModel& model) : model_(model) {}

    const std::optional<DiskReport>& diskReport() const { return diskReport_; }
    bool diskScanning() const { return diskScanning_; }
    const std::set<std::string>& diskSelection() const { return diskSelection_; }
    bool isCleaning() const { return isCleaning_; }
    const std::optional<std::string>& diskResult() const { return diskResult_; }
    bool diskFocus() const { return diskFocus_; }

    /// The ticked, selectable items of the disk report, in report order.
    std::vector<DiskItem> selectedItems() const;

    void open();
    void openImmediately(bool firstTime, DiskReport report);
    /// Starts one catalogue scan unless one runs or a report exists. A scan that fails clears
    /// `diskScanning` and says so in `diskResult`.
    void measure();
    void toggle(const std::string& id, bool on);
    void confirm();
    /// Re-scans, keeps what is still the same and allowed, and moves it to the Trash. A clean
    /// that fails ends like any other, with a failure sentence.
    void execute(const std::vector<DiskItem>& items);
    void setFocus(bool focus);

    /// Unticks every item.
    void clearSelection();
    /// The dashboard closed: no report, ticks, result, focus or running clean.
    void reset();

private:
    struct Cleaned {
        DiskCleanReport result;
        int changed{0};
    };

    void scanFinished(std::optional<DiskReport> report);
    void cleanFinished(const std::optional<Cleaned>& outcome);
    std::set<std::string> runningIDs() const;

    AppModel& model_;
    std::optional<DiskReport> diskReport_;
    bool diskScanning_{false};
    std::set<std::string> diskSelection_;
    bool isCleaning_{false};
    std::optional<std::string> diskResult_;
    bool diskFocus_{false};
};

} // namespace corvane
