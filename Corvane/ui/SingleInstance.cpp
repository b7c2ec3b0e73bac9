#include "SingleInstance.h"

#include <QDBusMessage>

#include <utility>

namespace corvane {
namespace {

constexpr QLatin1StringView serviceName{"com.quillmere.Corvane"};
constexpr QLatin1StringView objectPath{"/com/quillmere/Corvane"};

QDBusMessage call(const char* method) {
    return QDBusMessage::createMethodCall(serviceName, objectPath, serviceName, QString::fromLatin1(method));
}

} // namespace

InstanceService::InstanceService(std::function<void()> openSettings, QObject* parent)
    : QObject(parent), openSettings_(std::move(openSettings)) {}

bool InstanceService::registerOn(QDBusConnection bus) {
    if (!bus.isConnected()) return false;
    if (!bus.registerObject(objectPath, this, QDBusConnection::ExportScriptableSlots)) return false;
    if (bus.registerService(serviceName)) return true;
    bus.unregisterObject(objectPath);
    return false;
}

void InstanceService::openSettings() const {
    if (openSettings_) openSettings_();
}

bool handOffToRunningInstance(const QDBusConnection& bus, int waitMilliseconds) {
    if (!bus.isConnected()) return false;
    // A name without an owner fails at once; only a live but silent owner costs the whole wait.
    if (bus.call(call("ping"), QDBus::Block, waitMilliseconds).type() != QDBusMessage::ReplyMessage) return false;
    // Waiting for the reply makes sure the request has left before this process ends.
    bus.call(call("openSettings"), QDBus::Block, waitMilliseconds);
    return true;
}

} // namespace corvane
