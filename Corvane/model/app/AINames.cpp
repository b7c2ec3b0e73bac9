#include "app/AINames.h"

namespace corvane {

std::string sessionKey(AIToolKind tool, const std::string& sessionID) {
    return std::string(rawValue(tool)) + "/" + sessionID;
}

std::string projectName(const std::optional<std::string>& project) {
    return project && !project->empty() ? *project : "未命名项目";
}

} // namespace corvane
