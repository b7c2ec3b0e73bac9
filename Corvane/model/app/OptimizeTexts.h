#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/// A warning about quitting one application: its name and the note shown after it.
struct QuitRisk {
    std::string name;
    std::string note;

    bool operator==(const QuitRisk&) const = default;
};

/// The confirmation text for quitting applications: up to eight names, how many more, the
/// risks, and the reminder that unsaved work will be asked about (lines joined by "\n").
std::string confirmMessage(const std::vector<std::string>& names, const std::vector<QuitRisk>& risks);

/// The one-click confirmation: the memory to be freed, then `confirmMessage` of the groups.
std::string oneClickMessage(const std::vector<std::string>& names, const std::vector<QuitRisk>& risks,
                            std::uint64_t bytes);

/// The one-sentence outcome of a quit.
std::string resultSentence(int requested, int skipped, int failed);

/// The outcome when a quit could not be carried out at all.
inline constexpr std::string_view quitFailedSentence = "这次没能关闭所选软件，请稍后再试。";

/// The outcome of a forced quit of the application `name`: ended, or not.
std::string forceQuitSentence(const std::string& name, bool ended);

} // namespace corvane
