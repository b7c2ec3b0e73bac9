#pragma once

#include "status/StatusBarLook.h"

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// The bars `--bar` prints for.
enum class BarFormat { waybar, i3blocks, plain };

/// The format named exactly `raw` ("waybar", "i3blocks" or "plain"); absent otherwise.
std::optional<BarFormat> barFormatFromRaw(std::string_view raw);

/// `look` as one line for the bar, newline included:
/// - waybar (a custom module with "return-type": "json"): {"text","tooltip","class","percentage"},
///   the texts escaped for Pango markup, `class` ["normal"|"elevated"|"critical"] plus "waiting"
///   while a session needs the user;
/// - i3blocks (a block with interval=persist and format=json, which takes one object a line):
///   {"full_text","short_text","color"}, the waiting count after a bell glyph in the full text,
///   `color` only while elevated or critical;
/// - plain: the tray's label ("内存压力：良好，已用 12%", and the waiting count).
std::string statusBarLine(BarFormat format, const StatusBarLook& look);

/// `text` with Pango markup's special characters (& < > ' ") as entities.
std::string pangoEscaped(std::string_view text);

} // namespace corvane
