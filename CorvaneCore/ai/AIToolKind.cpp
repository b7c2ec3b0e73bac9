#include "ai/AIToolKind.h"

namespace corvane {

std::string_view rawValue(AIToolKind kind) {
    switch (kind) {
    case AIToolKind::claudeCode: return "claudeCode";
    case AIToolKind::claudeDesktop: return "claudeDesktop";
    case AIToolKind::codex: return "codex";
    }
    return "claudeCode";
}

std::optional<AIToolKind> aiToolKindFromRaw(std::string_view raw) {
    for (AIToolKind kind : allAIToolKinds) {
        if (rawValue(kind) == raw) return kind;
    }
    return std::nullopt;
}

std::string_view processName(AIToolKind kind) {
    switch (kind) {
    case AIToolKind::claudeCode: return "claude";
    case AIToolKind::claudeDesktop: return "Claude";
    case AIToolKind::codex: return "codex";
    }
    return "claude";
}

std::vector<std::string_view> hostBundleIDs(AIToolKind kind) {
    switch (kind) {
    case AIToolKind::claudeCode: return {};
    case AIToolKind::claudeDesktop: return {"com.anthropic.claudefordesktop"};
    case AIToolKind::codex: return {"com.openai.codex", "com.openai.chat"};
    }
    return {};
}

std::optional<std::string_view> ownerBundleID(AIToolKind kind) {
    switch (kind) {
    case AIToolKind::claudeCode: return std::nullopt;
    case AIToolKind::claudeDesktop: return "com.anthropic.claudefordesktop";
    case AIToolKind::codex: return "com.openai.codex";
    }
    return std::nullopt;
}

} // namespace corvane
