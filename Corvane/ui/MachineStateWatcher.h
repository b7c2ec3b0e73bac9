#pragma once

#include "ScreensOn.h"
#include "app/MachineState.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>

#include <functional>
#include <memory>

class QDBusMessage;

namespace corvane {

class AppModel;

/// Watches whether anyone can be looking at the machine and whether it saves power, on the
/// thread that constructs it (the interface thread):
/// - sleep: logind's `PrepareForSleep` on the system bus;
/// - lock: the current session's `LockedHint` (read at start, then followed) on the system bus,
///   and the `ActiveChanged` signal of the freedesktop and GNOME screen savers on the session bus;
/// - screens switched off: `screensOn`, asked every 45 s and when a sleep or lock ends while the
///   screens were last seen off;
/// - power saver: power-profiles-daemon's `ActiveProfile` is "power-saver" (both of its bus
///   names; read at start, then followed).
/// The machine is suspended while it sleeps, is locked or its screens are off; signals come only
/// on a change. A missing bus or service counts as awake, unlocked and not saving power and is
/// not an error. Every bus call is asynchronous.
class MachineStateWatcher final : public QObject {
    Q_OBJECT

public:
    MachineStateWatcher(QDBusConnection systemBus, QDBusConnection sessionBus, ScreensOnReader screensOn,
                        QObject* parent = nullptr);

    bool suspended() const { return state_.suspended(); }
    bool powerSaver() const { return state_.powerSaver(); }

    /// Asks `screensOn` now; the slow timer calls it too.
    void checkScreens();

signals:
    void suspendedChanged(bool suspended);
    void powerSaverChanged(bool on);

private slots:
    void prepareForSleep(bool starting);
    void screenSaverActiveChanged(bool active);
    void sessionPropertiesChanged(const QString& interface, const QVariantMap& changed,
                                  const QStringList& invalidated);
    void powerProfilePropertiesChanged(const QString& interface, const QVariantMap& changed,
                                       const QStringList& invalidated);

private:
    void set(AwayCondition condition, bool holds);
    /// A sleep or lock began or ended. The session's lock hint and the screen savers all report
    /// `locked`: the latest report holds.
    void report(AwayCondition condition, bool holds);
    void findSession();
    void followSession(const QString& path);
    void readLockedHint();
    void readActiveProfile(const QString& service, const QString& path);
    void setPowerProfile(const QString& profile);
    /// Sends `call` without waiting; `onReply` runs here with a successful reply, `onError` (when
    /// given) with any other outcome.
    void callAsync(const QDBusConnection& bus, const QDBusMessage& call, std::function<void(const QDBusMessage&)> onReply,
                   std::function<void()> onError = {});

    QDBusConnection systemBus_;
    QDBusConnection sessionBus_;
    ScreensOnReader screensOn_;
    QString sessionPath_;
    QTimer screensTimer_;
    MachineState state_;
};

/// Lets `watcher` drive `model` on the interface thread: suspended suspends it (at once when the
/// watcher already is), awake again resumes it, and a switch of the power saver reschedules its
/// timers. Does nothing once the model is gone.
void connectModel(MachineStateWatcher& watcher, const std::weak_ptr<AppModel>& model);

/// The model's low-power source: the watcher's power saver; off once the watcher is gone.
/// Interface thread only.
std::function<bool()> powerSaverSource(MachineStateWatcher& watcher);

} // namespace corvane
