#include "apps/QuitPlanner.h"

#include "apps/QuitEligibility.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace corvane::QuitPlanner {

namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 13> kRiskNotes{{
    {"com.tinyspeck.slackmacgap", "可能有未读消息或进行中的通话"},
    {"com.figma.", "可能有未同步的改动"},
    {"com.tencent.xinWeChat", "可能有未读消息"},
    {"com.electron.lark", "可能有未读消息或会议"},
    {"com.bytedance.", "可能有未读消息或会议"},
    {"notion.id", "可能有未同步的改动"},
    {"com.hnc.Discord", "可能有未读消息或通话"},
    {"us.zoom.", "可能在会议中"},
    {"com.microsoft.teams", "可能有未读消息或会议"},
    {"ru.keepcoder.Telegram", "可能有未读消息"},
    {"com.apple.MobileSMS", "可能有未读消息"},
    {"com.apple.mail", "可能有未发送的邮件"},
    {"com.spotify.client", "正在播放时会中断音乐"},
}};

// Linux application identities (desktop IDs and window classes) of the same applications, with
// the same notes; consulted after the table above, with the same prefix test.
constexpr std::array<std::pair<std::string_view, std::string_view>, 24> kLinuxRiskNotes{{
    {"com.slack.Slack", "可能有未读消息或进行中的通话"},
    {"slack", "可能有未读消息或进行中的通话"},
    {"Slack", "可能有未读消息或进行中的通话"},
    {"figma-linux", "可能有未同步的改动"},
    {"io.github.Figma_Linux", "可能有未同步的改动"},
    {"com.tencent.WeChat", "可能有未读消息"},
    {"wechat", "可能有未读消息"},
    {"feishu", "可能有未读消息或会议"},
    {"bytedance-feishu", "可能有未读消息或会议"},
    {"lark", "可能有未读消息或会议"},
    {"notion-app", "可能有未同步的改动"},
    {"com.discordapp.Discord", "可能有未读消息或通话"},
    {"discord", "可能有未读消息或通话"},
    {"zoom", "可能在会议中"},
    {"Zoom", "可能在会议中"},
    {"teams-for-linux", "可能有未读消息或会议"},
    {"org.telegram.desktop", "可能有未读消息"},
    {"telegram-desktop", "可能有未读消息"},
    {"TelegramDesktop", "可能有未读消息"},
    {"org.mozilla.Thunderbird", "可能有未发送的邮件"},
    {"thunderbird", "可能有未发送的邮件"},
    {"com.spotify.Client", "正在播放时会中断音乐"},
    {"spotify", "正在播放时会中断音乐"},
    {"Spotify", "正在播放时会中断音乐"},
}};

template <std::size_t N>
std::optional<std::string> firstNote(const std::array<std::pair<std::string_view, std::string_view>, N>& table,
                                     std::string_view identifier) {
    for (const auto& [prefix, note] : table) {
        if (identifier.starts_with(prefix)) return std::string(note);
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> riskNote(const AppGroup& group) {
    if (!group.bundleID) return std::nullopt;
    if (auto note = firstNote(kRiskNotes, *group.bundleID)) return note;
    return firstNote(kLinuxRiskNotes, *group.bundleID);
}

std::vector<AppGroup> suggested(const std::vector<AppGroup>& groups, bool firstRun) {
    if (firstRun) return {};
    std::vector<AppGroup> kept;
    for (const AppGroup& g : groups) {
        if (g.isRegularApp && g.safety.kind == SafetyVerdict::Kind::canQuit && g.idleSeconds && !riskNote(g) &&
            *g.idleSeconds >= idleThreshold) {
            kept.push_back(g);
        }
    }
    std::stable_sort(kept.begin(), kept.end(),
                     [](const AppGroup& a, const AppGroup& b) { return a.footprintBytes > b.footprintBytes; });
    if (kept.size() > static_cast<std::size_t>(maxDefaultSelection)) kept.resize(maxDefaultSelection);
    return kept;
}

QuitReport quit(const std::vector<AppGroup>& groups, AppTerminating& terminator) {
    QuitReport report;
    for (const AppGroup& g : groups) {
        if (!isQuitEligible(g)) {
            report.skipped.push_back(g.id);
            continue;
        }
        bool accepted = false;
        for (const std::int32_t pid : g.pids) accepted = terminator.terminate(pid) || accepted;
        (accepted ? report.requested : report.failed).push_back(g.id);
    }
    return report;
}

} // namespace corvane::QuitPlanner
