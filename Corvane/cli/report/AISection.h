#pragma once

#include "ai/AIToolStatus.h"
#include "cli/report/JsonWriter.h"

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// Appends the AI section (each tool's running flag, overall activity and sessions) as Chinese
/// text; appends nothing when `statuses` is empty (the tools were not polled).
void appendAIText(std::string& out, const std::vector<AIToolStatus>& statuses);

/// Writes the member "ai" (field names in README.md) into the open object of `json`; writes
/// nothing when `statuses` is empty.
void writeAIJson(JsonWriter& json, const std::vector<AIToolStatus>& statuses);

} // namespace corvane
