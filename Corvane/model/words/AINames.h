#pragma once

#include "ai/AIActivity.h"
#include "ai/AIToolKind.h"

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// The tool's name as users know it: "Claude Code", "Claude" or "Codex".
std::string_view aiToolDisplayName(AIToolKind tool);
/// The activity as the user reads it: "未运行", "空闲", "工作中", "可能卡住了" or "等你回复".
std::string_view aiActivityWord(AIActivity activity);
/// The project as shown: the reported one, or "未命名项目" when absent or empty.
std::string projectName(const std::optional<std::string>& project);
/// The key of one session across tools: tool key + "/" + session id.
std::string sessionKey(AIToolKind tool, const std::string& sessionID);

} // namespace corvane
