#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace corvane {

/// The three watched AI coding tools, in the order of every status list.
enum class AIToolKind { claudeCode, claudeDesktop, codex };

/// Every tool, in declaration order.
inline constexpr std::array<AIToolKind, 3> allAIToolKinds{AIToolKind::claudeCode, AIToolKind::claudeDesktop,
                                                          AIToolKind::codex};

/// "claudeCode", "claudeDesktop" or "codex".
std::string_view rawValue(AIToolKind kind);
/// The tool whose raw value is exactly `raw`; absent for any other text.
std::optional<AIToolKind> aiToolKindFromRaw(std::string_view raw);
/// The process name that means the tool is running, compared exactly ("claude", "Claude", "codex").
std::string_view processName(AIToolKind kind);
/// The host applications' identifiers, in order (none for the command-line tool).
std::vector<std::string_view> hostBundleIDs(AIToolKind kind);
/// The identity the tool counts as among running applications while a process of its
/// `processName` runs, so that data it owns on disk is not cleaned under it: "com.openai.codex"
/// for Codex, "com.anthropic.claudefordesktop" for the desktop app, none for the command-line tool.
std::optional<std::string_view> ownerBundleID(AIToolKind kind);

} // namespace corvane
