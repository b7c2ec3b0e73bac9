#pragma once

#include "ai/AIActivity.h"
#include "ai/AIToolKind.h"
#include "app/AIRows.h"
#include "views/ViewTint.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// How many AI rows are always shown, and the height limit of the expanded overflow list.
inline constexpr std::size_t aiAlwaysShownRows = 5;
inline constexpr double aiOverflowMaxHeight = 96;

/// How the AI section splits its rows.
struct AISectionLayout {
    /// Rows drawn at the top, always (the first ones, in order).
    std::size_t alwaysShown{};
    /// Rows beyond those; drawn in the overflow list only while expanded.
    std::size_t overflow{};
    /// The expand/collapse toggle's text, absent when there is no overflow.
    std::optional<std::string> toggleText;

    bool operator==(const AISectionLayout&) const = default;
};

/// Title of the AI section.
inline constexpr std::string_view aiSectionTitle = "AI 工具";

/// The split of `rowCount` rows, with the toggle reading for `expanded`.
AISectionLayout aiSectionLayout(std::size_t rowCount, bool expanded);

/// An AI row's icon: a green check for a waiting row whose title ends with "干完了", otherwise the
/// tool's symbol; blue while waiting, orange when it may need confirmation, secondary otherwise.
TintedSymbol aiRowIcon(AIToolKind tool, AIActivity activity, std::string_view title);

/// An AI row's accessibility label: tool name + " 会话：" + title.
std::string aiRowA11yLabel(AIToolKind tool, std::string_view title);

/// The part of a row's subtitle before its counting minutes (lead, number and tail follow it);
/// the whole subtitle when the row counts no minutes or its subtitle does not end with them.
std::string_view subtitleBeforeMinutes(const AIRow& row);

/// Accessibility hint of a row that jumps to its session.
inline constexpr std::string_view aiRowJumpHint = "点按跳转";

} // namespace corvane
