#pragma once

#include "prefs/PreferenceStore.h"
#include "status/StatusItemLook.h"
#include "support/Date.h"

#include <optional>
#include <string_view>
#include <vector>

namespace corvane {

/// What a menu item does.
enum class StatusMenuAction { openActivityMonitor, openSettings, togglePause, quit };

/// One entry of the status item's menu; a separator has no title and no action.
struct StatusMenuItem {
    std::string_view title;
    /// The key equivalent, empty for none.
    std::string_view keyEquivalent;
    std::optional<StatusMenuAction> action;

    bool isSeparator() const { return !action.has_value(); }
    bool operator==(const StatusMenuItem&) const = default;
};

/// The menu, built fresh on every right click: activity monitor, settings, the pause toggle
/// ("恢复提醒" while paused), a separator and quit.
std::vector<StatusMenuItem> statusMenu(bool paused);

/// The menu's pause toggle: ends a running pause or pauses for an hour from `now`, then makes the
/// next refresh draw at once.
void togglePauseFromMenu(PreferenceStore& prefs, Date now, StatusItemRefresher& refresher);

} // namespace corvane
