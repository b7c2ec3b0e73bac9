#pragma once

#include "prefs/LaunchAtLogin.h"
#include "prefs/LoginItem.h"
#include "prefs/PreferenceStore.h"
#include "prefs/SettingsFormContent.h"
#include "support/Clock.h"

#include <QPointer>

#include <memory>

class QTimer;
class QWidget;

namespace corvane {

class SettingsForm;

/// The settings window, built on demand and destroyed when the user closes it, so each opening
/// reads the login item afresh. Toggles write the store at once; the form follows changes made
/// elsewhere (any thread) and the end of a running pause. Closing it never quits the program.
/// Used on the Qt thread only.
class SettingsWindowController final {
public:
    SettingsWindowController(std::shared_ptr<PreferenceStore> store, std::shared_ptr<LoginItem> loginItem,
                             Clock clock, DesktopSession session);
    /// Closes the window when it is open.
    ~SettingsWindowController();
    SettingsWindowController(const SettingsWindowController&) = delete;
    SettingsWindowController& operator=(const SettingsWindowController&) = delete;

    /// Opens the window (centred on the primary screen) unless it is open, then raises and
    /// activates it.
    void show();

    /// The open window, or null.
    QWidget* window() const;

private:
    void open();
    void use(const SettingsControl& control, bool on);
    void refresh();

    std::shared_ptr<PreferenceStore> store_;
    std::shared_ptr<LoginItem> loginItem_;
    Clock clock_;
    DesktopSession session_;

    // State of the open window; the timer and the store subscription are its children.
    QPointer<SettingsForm> window_;
    QPointer<QTimer> contentTimer_;
    LaunchAtLoginState launch_;
};

} // namespace corvane
