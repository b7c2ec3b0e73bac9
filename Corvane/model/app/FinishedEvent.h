#pragma once

#include "ai/AIToolKind.h"

#include <optional>
#include <string>

namespace corvane {

/// A finished piece of AI work: a session that worked at least a minute and now waits.
struct FinishedEvent {
    AIToolKind tool{AIToolKind::claudeCode};
    /// The session's project as reported.
    std::optional<std::string> project;
    /// Working time in whole minutes, at least 1.
    int minutes{1};
    /// Display name + " 干完了".
    std::string title;
    /// Project name + " · 用了 " + minutes + " 分钟 · 等你看结果".
    std::string subtitle;

    bool operator==(const FinishedEvent&) const = default;
};

} // namespace corvane
