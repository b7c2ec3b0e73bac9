#pragma once

#include <QDBusServiceWatcher>
#include <QObject>

#include <memory>

namespace corvane {

class XEmbedTraySelection;

/// Tells whether a tray host exists: a StatusNotifierItem watcher (the
/// `org.kde.StatusNotifierWatcher` name on the session bus) or an XEmbed tray (an owner of the
/// X selection `_NET_SYSTEM_TRAY_S<screen>` of the display the application runs on). Both are
/// followed by events from the bus and the X server, never by polling. It starts out knowing of
/// no host and checks asynchronously, so a host present at start is announced by
/// `hostAvailableChanged(true)` once the event loop runs. Main thread only.
class TrayHostWatcher final : public QObject {
    Q_OBJECT

public:
    explicit TrayHostWatcher(QObject* parent = nullptr);
    ~TrayHostWatcher() override;
    TrayHostWatcher(const TrayHostWatcher&) = delete;
    TrayHostWatcher& operator=(const TrayHostWatcher&) = delete;

    /// Whether a tray host of either kind is known to be present now.
    bool hostAvailable() const { return available_; }

signals:
    /// The answer of `hostAvailable` changed.
    void hostAvailableChanged(bool available);

private:
    void setStatusNotifierWatcher(bool present);
    void setXEmbedTray(bool present);
    void update();

    QDBusServiceWatcher serviceWatcher_;
    /// Set once the bus told of an owner change: a later answer to the first check is stale.
    bool ownerChangeSeen_{false};
    bool statusNotifierWatcher_{false};
    bool xembedTray_{false};
    bool available_{false};
    std::unique_ptr<XEmbedTraySelection> xembed_;
};

} // namespace corvane
