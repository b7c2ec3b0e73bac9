#include "apps/SystemAppOpener.h"

#include <map>

namespace corvane {

std::vector<std::string> desktopIDsFor(const std::string& bundleID) {
    // Linux builds of these applications install under these desktop IDs, the first found wins.
    static const std::map<std::string, std::vector<std::string>> table{
        {"com.anthropic.claudefordesktop", {"claude-desktop", "com.anthropic.Claude", "claude"}},
        {"com.openai.codex", {"codex", "com.openai.Codex", "codex-desktop"}},
        {"com.openai.chat", {"chatgpt", "com.openai.ChatGPT"}},
    };
    if (auto it = table.find(bundleID); it != table.end()) return it->second;
    return {bundleID};
}

} // namespace corvane
