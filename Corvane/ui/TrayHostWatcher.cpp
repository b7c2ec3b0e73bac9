#include "TrayHostWatcher.h"

#include "linux/XEmbedTraySelection.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QMetaObject>

namespace corvane {

namespace {

QString statusNotifierWatcherName() {
    return QStringLiteral("org.kde.StatusNotifierWatcher");
}

} // namespace

TrayHostWatcher::TrayHostWatcher(QObject* parent)
    : QObject(parent),
      serviceWatcher_(statusNotifierWatcherName(), QDBusConnection::sessionBus(), QDBusServiceWatcher::WatchForOwnerChange) {
    connect(&serviceWatcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                ownerChangeSeen_ = true;
                setStatusNotifierWatcher(!newOwner.isEmpty());
            });
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected() && bus.interface() != nullptr) {
        auto* pending = new QDBusPendingCallWatcher(
            bus.interface()->asyncCall(QStringLiteral("NameHasOwner"), statusNotifierWatcherName()), this);
        connect(pending, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
            const QDBusPendingReply<bool> reply = *call;
            if (!ownerChangeSeen_ && reply.isValid()) setStatusNotifierWatcher(reply.value());
            call->deleteLater();
        });
    }
    xembed_ = XEmbedTraySelection::watch([this](bool owned) { setXEmbedTray(owned); });
    if (xembed_) {
        QMetaObject::invokeMethod(
            this, [this] { setXEmbedTray(xembed_->owned()); }, Qt::QueuedConnection);
    }
}

TrayHostWatcher::~TrayHostWatcher() = default;

void TrayHostWatcher::setStatusNotifierWatcher(bool present) {
    statusNotifierWatcher_ = present;
    update();
}

void TrayHostWatcher::setXEmbedTray(bool present) {
    xembedTray_ = present;
    update();
}

void TrayHostWatcher::update() {
    const bool available = statusNotifierWatcher_ || xembedTray_;
    if (available == available_) return;
    available_ = available;
    emit hostAvailableChanged(available);
}

} // namespace corvane
