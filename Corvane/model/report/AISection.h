#pragma once

#include "ai/AIToolStatus.h"
#include "report/JsonWriter.h"

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// The tool's name as the user reads it: "Claude Code", "Claude" or "Codex".
std::string_view aiToolDisplayName(AIToolKind kind);
/// The activity as the user reads it: "未运行", "空闲", "工作中", "可能卡住了" or "等你回复".
std::string_view aiActivityWord(AIActivity activity);

/// Appends the AI section (each tool's running flag, overall activity and sessions) as Chinese
/// text; appends nothing when `statuses` is empty (the tools were not polled).
void appendAIText(std::string& out, const std::vector<AIToolStatus>& statuses);

/// Writes the member "ai" (field names in README.md) into the open object of `json`; writes
/// nothing when `statuses` is empty.
void writeAIJson(JsonWriter& json, const std::vector<AIToolStatus>& statuses);

} // namespace corvane
