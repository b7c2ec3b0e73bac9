#pragma once

#include <QPalette>

namespace corvane::SettingsStyle {

/// The settings window's fixed size.
inline constexpr int windowWidth = 420;
inline constexpr int windowHeight = 600;

/// Space around the form, between sections, and between a header, its group and its footer.
inline constexpr int outerMargin = 14;
inline constexpr int sectionSpacing = 10;
inline constexpr int groupSpacing = 4;

/// A group: a rounded box of rows divided by hairlines.
inline constexpr int groupRadius = 8;
inline constexpr int rowHeight = 34;
inline constexpr int rowPadding = 12;

/// The pause button, roomier than the style's tightest button.
inline constexpr int buttonMinimumWidth = 120;
inline constexpr int buttonMinimumHeight = 28;

/// Point sizes relative to the application font.
inline constexpr double headerPointDelta = 0;
inline constexpr double footerPointDelta = -1.5;

/// The switch drawn at a row's right end.
inline constexpr int switchWidth = 38;
inline constexpr int switchHeight = 22;
inline constexpr int switchKnobInset = 3;

/// Palette roles, so the form follows the desktop's colours and dark mode.
inline constexpr QPalette::ColorRole windowRole = QPalette::Window;
inline constexpr QPalette::ColorRole groupRole = QPalette::Base;
inline constexpr QPalette::ColorRole dividerRole = QPalette::Midlight;
inline constexpr QPalette::ColorRole groupBorderRole = QPalette::Mid;
inline constexpr QPalette::ColorRole switchOnRole = QPalette::Highlight;
inline constexpr QPalette::ColorRole switchOffRole = QPalette::Mid;
inline constexpr QPalette::ColorRole knobRole = QPalette::Light;
/// Footers and notes: the placeholder grey of text fields.
inline constexpr QPalette::ColorRole footerRole = QPalette::PlaceholderText;

} // namespace corvane::SettingsStyle
