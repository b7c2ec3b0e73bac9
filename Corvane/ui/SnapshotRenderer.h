#pragma once

#include "app/AppModel.h"
#include "prefs/PreferenceStore.h"
#include "support/MainExecutor.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

/// One demonstration situation whose dashboards are drawn.
struct SnapshotScene {
    /// Names the situation in the file names, for example "warn-ai".
    std::string name;
    /// Builds the situation's demonstration model on the executor with the store.
    std::function<std::shared_ptr<AppModel>(std::shared_ptr<MainExecutor>, std::shared_ptr<PreferenceStore>)>
        makeModel;
    /// Its dashboards are drawn a second time with a row hovered.
    bool hovered{false};
};

/// Renders PNG images of the front end into `folder` (created when missing) without a display
/// and without starting the program: for each scene the home, optimize and clean dashboards on
/// their floating black panel ("dashboard-<screen>-<scene>[-hover].png"), each kind of notice
/// ("wings-*.png"), the tray icon at each level with and without the percent and the waiting
/// dot ("tray-<level>[-percent][-dot].png") and the settings window ("settings.png"). Time is
/// frozen, animations are stopped and preferences are the defaults held in memory, so equal
/// input gives byte-identical files, drawn at device pixel ratio 2. Each file is replaced
/// atomically. Returns 0 when every image was written; otherwise prints one line to standard
/// error and returns 1. Must be called before any Qt application object exists.
int renderSnapshots(int argc, char** argv, const std::string& folder, const std::vector<SnapshotScene>& scenes);

} // namespace corvane
