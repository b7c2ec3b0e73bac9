#pragma once

#include "StatusIconPainter.h"
#include "CoalescedCall.h"

#include "app/AppModel.h"
#include "prefs/PreferenceStore.h"
#include "status/StatusItemLook.h"
#include "status/StatusMenu.h"
#include "support/Clock.h"

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>

#include <array>
#include <functional>
#include <memory>

class QScreen;

namespace corvane {

/// The program's tray item: the pressure level's icon, the used percentage and the badge of
/// waiting AI sessions drawn into one image, the spoken label as tooltip, hidden while the user
/// asks so. A left click toggles the dashboard (`onToggle`); the context menu opens the system
/// monitor or the settings, pauses or resumes alerts, or quits. It follows the model's changes
/// and the preferences' changes (from any thread), redrawing only when something visible
/// changed, and follows the application palette's text colour for the normal icon. Create it
/// only once a tray host is present (TrayHostWatcher): Qt decides once per process which kind
/// of tray to use. Main thread only.
class StatusItemController final : public QObject {
    Q_OBJECT

public:
    /// Draws the item at once. `openActivityMonitor` opens the system monitor; `clock` decides
    /// whether the alert pause is running.
    StatusItemController(std::shared_ptr<AppModel> model, std::shared_ptr<PreferenceStore> prefs,
                         std::function<void()> openActivityMonitor, Clock clock = systemClock(),
                         QObject* parent = nullptr);
    ~StatusItemController() override;
    StatusItemController(const StatusItemController&) = delete;
    StatusItemController& operator=(const StatusItemController&) = delete;

    /// Called on a left click with the screen under the pointer (which the click left on the
    /// icon), else the screen of the icon's geometry, else null.
    std::function<void(QScreen*)> onToggle = [](QScreen*) {};

    /// Brings the item up to date; draws nothing when no visible input changed.
    void refresh();

    /// The tray icon with its image, tooltip, visibility and context menu.
    QSystemTrayIcon& trayIcon() { return tray_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void draw(const StatusItemLook& look);
    void updateMenu();
    void perform(StatusMenuAction action);
    QScreen* clickedScreen() const;

    std::shared_ptr<AppModel> model_;
    std::shared_ptr<PreferenceStore> prefs_;
    std::function<void()> openActivityMonitor_;
    Clock clock_;
    StatusItemRefresher refresher_;
    StatusIconPainter painter_;
    QMenu menu_;
    /// The menu's entries in the order `statusMenu` lists them; null for the separator.
    std::array<QAction*, 5> menuActions_{};
    QSystemTrayIcon tray_; // after the menu it shows, so it goes first
    CoalescedCall scheduledRefresh_{this, [this] { refresh(); }};
    Subscription modelChanges_;
    PreferenceSubscription preferenceChanges_;
};

} // namespace corvane
