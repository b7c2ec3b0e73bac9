#pragma once

#include <QDBusConnection>
#include <QObject>

#include <functional>

namespace corvane {

/// The running copy's answer to a second launch: the object `/com/quillmere/Corvane` with the
/// interface and well-known name `com.quillmere.Corvane` on the session bus. `ping` answers
/// (its reply is the "pong"); `openSettings` shows the settings window. Main thread only.
class InstanceService final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.quillmere.Corvane")

public:
    explicit InstanceService(std::function<void()> openSettings, QObject* parent = nullptr);

    /// Exports the object on `bus` and claims the name; false when there is no bus or another
    /// process holds the name (this copy then simply runs without answering).
    bool registerOn(QDBusConnection bus);

public slots:
    Q_SCRIPTABLE void ping() const {}
    Q_SCRIPTABLE void openSettings() const;

private:
    std::function<void()> openSettings_;
};

/// Asks a running copy whether it is there, waiting at most `waitMilliseconds` for the answer;
/// when it answers, asks it to show its settings window and returns true (this copy should then
/// end). False when nobody answers in time or there is no session bus. Blocks the calling
/// thread, so it runs before any window exists.
bool handOffToRunningInstance(const QDBusConnection& bus, int waitMilliseconds = 400);

} // namespace corvane
