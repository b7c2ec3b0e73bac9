#pragma once

#include "prefs/LoginItem.h"

#include <string>

namespace corvane {

/// Launch at login as a freedesktop autostart entry: `<folder>/corvane.desktop` starting
/// `executable`. Enabled while that file exists and is not marked hidden; switching off removes
/// it. The file is replaced whole (written beside it, then renamed), so a failed write never
/// leaves half an entry.
class XdgAutostartEntry final : public LoginItem {
public:
    XdgAutostartEntry(std::string folder, std::string executable);

    /// `$XDG_CONFIG_HOME/autostart`, or `~/.config/autostart` when that is unset or relative.
    static std::string defaultFolder();
    /// The running program's own executable (`/proc/self/exe`); empty when unreadable.
    static std::string runningExecutable();
    /// The entry's text; the executable is quoted as the desktop entry format requires.
    static std::string entryText(const std::string& executable);

    bool isEnabled() const override;
    bool setEnabled(bool enabled) override;

private:
    std::string folder_;
    std::string executable_;
};

} // namespace corvane
