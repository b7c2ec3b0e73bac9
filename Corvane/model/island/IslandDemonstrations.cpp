#include "island/IslandDemonstrations.h"

#include "app/FinishedEvent.h"
#include "memory/PressureLevel.h"
#include "wings/WingsBuilders.h"
#include "words/AINames.h"

namespace corvane {

namespace {

IslandDemonstration notice(WingsContent content) { return {IslandDemonstration::Kind::wings, std::move(content)}; }

WingsContent finishedNotice() {
    FinishedEvent event;
    event.tool = AIToolKind::codex;
    event.project = "payments-api";
    event.minutes = 47;
    event.title = std::string(aiToolDisplayName(event.tool)) + " 干完了";
    event.subtitle = projectName(event.project) + " · 用了 47 分钟 · 等你看结果";
    // No session to jump to: a tap opens the dashboard, whatever model runs.
    return wingsForFinished(event, std::nullopt);
}

} // namespace

const std::vector<std::pair<std::string, IslandDemonstration>>& islandDemonstrations() {
    constexpr std::uint64_t gib = 1ULL << 30;
    static const std::vector<std::pair<std::string, IslandDemonstration>> table{
        {"pinned", {IslandDemonstration::Kind::pinned, {}}},
        {"hover", {IslandDemonstration::Kind::hover, {}}},
        {"memory", notice(wingsForPressure(PressureLevel::elevated, 85))},
        {"memory-critical", notice(wingsForPressure(PressureLevel::critical, 96))},
        {"disk", notice(wingsForDisk(12 * gib + 400 * (gib >> 10)))},
        {"disk-low", notice(wingsForDisk(5 * gib))},
        {"waiting", notice(wingsForAttention(1))},
        {"waiting-many", notice(wingsForAttention(3))},
        {"finished", notice(finishedNotice())},
    };
    return table;
}

std::optional<IslandDemonstration> islandDemonstration(std::string_view name) {
    for (const auto& [known, demonstration] : islandDemonstrations()) {
        if (known == name) return demonstration;
    }
    return std::nullopt;
}

std::string unknownDemonstrationLine(std::string_view name) {
    std::string line = "[island] 没有名为“" + std::string(name) + "”的演示，可用的有：";
    bool first = true;
    for (const auto& entry : islandDemonstrations()) {
        if (!first) line += "、";
        line += entry.first;
        first = false;
    }
    return line + "\n";
}

} // namespace corvane
