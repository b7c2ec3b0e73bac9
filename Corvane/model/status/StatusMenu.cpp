#include "status/StatusMenu.h"

#include "prefs/Prefs.h"

namespace corvane {

std::vector<StatusMenuItem> statusMenu(bool paused) {
    return {
        {"活动监视器", "", StatusMenuAction::openActivityMonitor},
        {"设置…", ",", StatusMenuAction::openSettings},
        {paused ? "恢复提醒" : "暂停提醒 1 小时", "", StatusMenuAction::togglePause},
        {"", "", std::nullopt},
        {"退出Corvane", "q", StatusMenuAction::quit},
    };
}

void togglePauseFromMenu(PreferenceStore& prefs, Date now, StatusItemRefresher& refresher) {
    Prefs::togglePause(prefs, now);
    refresher.invalidate();
}

} // namespace corvane
