#pragma once

#include "ai/AISession.h"
#include "ai/AIToolKind.h"

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

/// The key of one session across tools: tool key + "/" + session id.
std::string sessionKey(AIToolKind tool, const std::string& sessionID);
/// The project as shown: the reported one, or "未命名项目" when absent or empty.
std::string projectName(const std::optional<std::string>& project);

} // namespace corvane
