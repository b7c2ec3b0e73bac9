#include "MachineStateWatcher.h"

#include "app/AppModel.h"
#include "app/TimerPlan.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QPointer>

#include <cmath>
#include <utility>

namespace corvane {

namespace {

constexpr QLatin1String login1("org.freedesktop.login1");
constexpr QLatin1String login1Path("/org/freedesktop/login1");
constexpr QLatin1String login1Manager("org.freedesktop.login1.Manager");
constexpr QLatin1String login1Session("org.freedesktop.login1.Session");
constexpr QLatin1String lockedHint("LockedHint");
constexpr QLatin1String properties("org.freedesktop.DBus.Properties");
constexpr QLatin1String propertiesChanged("PropertiesChanged");
constexpr QLatin1String activeProfile("ActiveProfile");

/// A screen saver's bus name, which is also its interface.
constexpr QLatin1String screenSavers[] = {QLatin1String("org.freedesktop.ScreenSaver"),
                                          QLatin1String("org.gnome.ScreenSaver")};

/// power-profiles-daemon's old and new names, each also the name of its interface; recent
/// versions answer on both.
struct PowerProfiles {
    QLatin1String service;
    QLatin1String path;
};
constexpr PowerProfiles powerProfiles[] = {
    {QLatin1String("net.hadess.PowerProfiles"), QLatin1String("/net/hadess/PowerProfiles")},
    {QLatin1String("org.freedesktop.UPower.PowerProfiles"), QLatin1String("/org/freedesktop/UPower/PowerProfiles")},
};

QDBusMessage getProperty(const QString& service, const QString& path, const QString& interface, const QString& name) {
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, properties, QStringLiteral("Get"));
    call << interface << name;
    return call;
}

QVariant propertyValue(const QDBusMessage& reply) {
    return reply.arguments().value(0).value<QDBusVariant>().variant();
}

} // namespace

MachineStateWatcher::MachineStateWatcher(QDBusConnection systemBus, QDBusConnection sessionBus,
                                         ScreensOnReader screensOn, QObject* parent)
    : QObject(parent),
      systemBus_(std::move(systemBus)),
      sessionBus_(std::move(sessionBus)),
      screensOn_(std::move(screensOn)) {
    // Signals are followed before the first values are read, so no change falls in between;
    // connecting to a missing bus fails quietly and leaves the machine awake.
    systemBus_.connect(login1, login1Path, login1Manager, QStringLiteral("PrepareForSleep"), this,
                       SLOT(prepareForSleep(bool)));
    for (const QLatin1String saver : screenSavers) {
        // Any path: KDE signals on /ScreenSaver and on /org/freedesktop/ScreenSaver.
        sessionBus_.connect(saver, QString(), saver, QStringLiteral("ActiveChanged"), this,
                            SLOT(screenSaverActiveChanged(bool)));
    }
    for (const auto& [service, path] : powerProfiles) {
        systemBus_.connect(service, path, properties, propertiesChanged, this,
                           SLOT(powerProfilePropertiesChanged(QString, QVariantMap, QStringList)));
        readActiveProfile(service, path);
    }
    findSession();

    // Display power has no signal: it is asked as often as memory is sampled while nobody looks.
    const double interval = timerPlan(false, false).memory.interval;
    screensTimer_.setInterval(static_cast<int>(std::lround(interval * 1000)));
    screensTimer_.setTimerType(Qt::CoarseTimer);
    connect(&screensTimer_, &QTimer::timeout, this, &MachineStateWatcher::checkScreens);
    screensTimer_.start();
}

void MachineStateWatcher::checkScreens() {
    const std::optional<bool> on = screensOn_ ? screensOn_() : std::nullopt;
    set(AwayCondition::screensOff, on.has_value() && !*on);
}

void MachineStateWatcher::prepareForSleep(bool starting) {
    report(AwayCondition::asleep, starting);
}

void MachineStateWatcher::screenSaverActiveChanged(bool active) {
    report(AwayCondition::locked, active);
}

void MachineStateWatcher::sessionPropertiesChanged(const QString& interface, const QVariantMap& changed,
                                                   const QStringList& invalidated) {
    if (interface != login1Session) return;
    if (const auto it = changed.find(lockedHint); it != changed.end()) {
        report(AwayCondition::locked, it->toBool());
    } else if (invalidated.contains(lockedHint)) {
        readLockedHint();
    }
}

void MachineStateWatcher::powerProfilePropertiesChanged(const QString& interface, const QVariantMap& changed,
                                                        const QStringList& invalidated) {
    for (const auto& [service, path] : powerProfiles) {
        if (interface != service) continue;
        if (const auto it = changed.find(activeProfile); it != changed.end()) {
            setPowerProfile(it->toString());
        } else if (invalidated.contains(activeProfile)) {
            readActiveProfile(service, path);
        }
    }
}

void MachineStateWatcher::set(AwayCondition condition, bool holds) {
    if (const std::optional<bool> change = state_.set(condition, holds)) emit suspendedChanged(*change);
}

void MachineStateWatcher::report(AwayCondition condition, bool holds) {
    // Screens switched off before a sleep or a lock are on again when it ends; asking first keeps
    // a stale reading from holding the machine suspended until the next check.
    if (!holds && state_.holds(AwayCondition::screensOff)) checkScreens();
    set(condition, holds);
}

void MachineStateWatcher::findSession() {
    const auto onSession = [this](const QDBusMessage& reply) {
        const QString path = reply.arguments().value(0).value<QDBusObjectPath>().path();
        if (!path.isEmpty()) followSession(path);
    };
    const auto byProcess = [this, onSession] {
        QDBusMessage call = QDBusMessage::createMethodCall(login1, login1Path, login1Manager,
                                                           QStringLiteral("GetSessionByPID"));
        call << static_cast<uint>(QCoreApplication::applicationPid());
        callAsync(systemBus_, call, onSession);
    };
    const QString id = qEnvironmentVariable("XDG_SESSION_ID");
    if (id.isEmpty()) {
        byProcess();
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(login1, login1Path, login1Manager, QStringLiteral("GetSession"));
    call << id;
    callAsync(systemBus_, call, onSession, byProcess);
}

void MachineStateWatcher::followSession(const QString& path) {
    sessionPath_ = path;
    systemBus_.connect(login1, path, properties, propertiesChanged, this,
                       SLOT(sessionPropertiesChanged(QString, QVariantMap, QStringList)));
    readLockedHint();
}

void MachineStateWatcher::readLockedHint() {
    callAsync(systemBus_, getProperty(login1, sessionPath_, login1Session, lockedHint),
              [this](const QDBusMessage& reply) { report(AwayCondition::locked, propertyValue(reply).toBool()); });
}

void MachineStateWatcher::readActiveProfile(const QString& service, const QString& path) {
    callAsync(systemBus_, getProperty(service, path, service, activeProfile),
              [this](const QDBusMessage& reply) { setPowerProfile(propertyValue(reply).toString()); });
}

void MachineStateWatcher::setPowerProfile(const QString& profile) {
    if (const std::optional<bool> change = state_.setPowerSaver(profile == QStringLiteral("power-saver"))) {
        emit powerSaverChanged(*change);
    }
}

void MachineStateWatcher::callAsync(const QDBusConnection& bus, const QDBusMessage& call,
                                    std::function<void(const QDBusMessage&)> onReply, std::function<void()> onError) {
    // A call on a connection that never came up is never answered at all.
    if (!bus.isConnected()) {
        if (onError) onError();
        return;
    }
    auto* pending = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [onReply = std::move(onReply), onError = std::move(onError)](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                const QDBusMessage reply = finished->reply();
                if (reply.type() == QDBusMessage::ReplyMessage) {
                    onReply(reply);
                } else if (onError) {
                    onError();
                }
            });
}

void connectModel(MachineStateWatcher& watcher, const std::weak_ptr<AppModel>& model) {
    QObject::connect(&watcher, &MachineStateWatcher::suspendedChanged, &watcher, [model](bool suspended) {
        const std::shared_ptr<AppModel> m = model.lock();
        if (!m) return;
        if (suspended) {
            m->suspend();
        } else {
            m->resume();
        }
    });
    QObject::connect(&watcher, &MachineStateWatcher::powerSaverChanged, &watcher, [model](bool) {
        if (const std::shared_ptr<AppModel> m = model.lock()) m->powerStateChanged();
    });
    if (watcher.suspended()) {
        if (const std::shared_ptr<AppModel> m = model.lock()) m->suspend();
    }
}

std::function<bool()> powerSaverSource(MachineStateWatcher& watcher) {
    return [watcher = QPointer<MachineStateWatcher>(&watcher)] { return watcher && watcher->powerSaver(); };
}

} // namespace corvane
