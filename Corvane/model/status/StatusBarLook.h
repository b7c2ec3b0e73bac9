#pragma once

#include "app/AIRows.h"
#include "status/StatusItemLook.h"

#include <optional>
#include <string>
#include <vector>

namespace corvane {

/// What a status bar's module (waybar, i3blocks, a plain text bar) shows: the tray item's look in
/// text form, and the sessions waiting for the user that the tray's tooltip only counts.
struct StatusBarLook {
    PressureLevel level{PressureLevel::normal};
    int percent{};
    /// The tray icon's glyph in the Material Icons font, UTF-8.
    std::string glyph;
    /// The glyph and the tray's percent title: "<glyph> 12%". The tray's preferences that hide
    /// the icon or the percent do not apply to a bar.
    std::string text;
    /// The tray's label, `a11yStatusLabel`: level, percent and the waiting count.
    std::string label;
    /// `label`, then a line per session that needs the user.
    std::string tooltip;
    /// Sessions that need the user (the tray's badge).
    int waiting{};
    /// The percent title's colour as 0xRRGGBB, absent for the bar's own text colour.
    std::optional<std::uint32_t> color;

    bool operator==(const StatusBarLook&) const = default;
};

/// The dashboard rows that need the user, one line each: title + " · " + project as shown
/// ("Claude Code 在等你回复 · corvane").
std::vector<std::string> waitingSessionLines(const std::vector<AIRow>& rows);

/// The look for the tray's inputs and the waiting sessions' lines.
StatusBarLook statusBarLook(const StatusInputs& inputs, const std::vector<std::string>& waitingLines);

/// Remembers what was shown last, so that a change the bar cannot show prints nothing.
class StatusBarRefresher {
public:
    /// The look to show when the tray's refresh key or the waiting sessions' lines differ from the
    /// last shown; absent otherwise.
    std::optional<StatusBarLook> refresh(const StatusInputs& inputs, const std::vector<std::string>& waitingLines);

private:
    std::optional<std::string> lastKey_;
};

} // namespace corvane
