#pragma once

#include <cstdint>
#include <string>
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

} // namespace corvane
