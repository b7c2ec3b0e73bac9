#include "AttentionCenter.h"
#include "apps/HostApplications.h"
#include "support/ManualClock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace corvane {
namespace {

AISession session(const std::string& id, AIActivity activity, std::optional<std::string> project = std::nullopt) {
    return AISession{id, std::move(project), activity, Date{}};
}

struct Scene {
    test::ManualClock clock;
    std::optional<std::string> front;
    bool paused = false;
    AttentionCenter center{clock.clock(), [this] { return front; }, [this] { return paused; }};

    std::optional<AttentionEvent> ingest(std::vector<AISession> claude, std::vector<AISession> desktop = {},
                                         std::vector<AISession> codex = {}) {
        return center.ingest({{AIToolKind::claudeCode, std::move(claude), true},
                              {AIToolKind::claudeDesktop, std::move(desktop), true},
                              {AIToolKind::codex, std::move(codex), true}});
    }
};

const AISession waitingA = session("a", AIActivity::waitingForUser, "shop");
const AISession workingA = session("a", AIActivity::working, "shop");

TEST(AttentionCenter, AnnouncesANewWaitOnceAndCountsPending) {
    Scene scene;
    const auto event = scene.ingest({waitingA, session("b", AIActivity::working)});
    ASSERT_TRUE(event);
    EXPECT_EQ(event->count, 1);
    EXPECT_EQ(event->items, (std::vector<AttentionEvent::Item>{{AIToolKind::claudeCode, "shop", "a"}}));
    EXPECT_EQ(event->date, scene.clock.now());
    scene.clock.advance(60);
    EXPECT_FALSE(scene.ingest({waitingA}));
    scene.clock.advance(600);
    EXPECT_FALSE(scene.ingest({waitingA}));
    EXPECT_EQ(scene.center.pendingCount(), 1);
}

TEST(AttentionCenter, SessionsStartingTogetherShareOneEventInStatusOrder) {
    Scene scene;
    const auto event = scene.ingest({session("c2", AIActivity::mayNeedConfirmation), session("c1", AIActivity::waitingForUser)},
                                    {}, {session("x", AIActivity::waitingForUser, "api")});
    ASSERT_TRUE(event);
    EXPECT_EQ(event->count, 3);
    EXPECT_EQ(event->items[0].sessionID, "c2");
    EXPECT_EQ(event->items[1].sessionID, "c1");
    EXPECT_EQ(event->items[2].tool, AIToolKind::codex);
    // The same id under two tools is two sessions; a duplicate within one tool is one.
    Scene other;
    const auto twice = other.ingest({session("s", AIActivity::waitingForUser, "p1"), session("s", AIActivity::waitingForUser, "p2")},
                                    {session("s", AIActivity::waitingForUser)});
    ASSERT_TRUE(twice);
    EXPECT_EQ(twice->count, 2);
    EXPECT_EQ(twice->items[0].project, "p2");
}

TEST(AttentionCenter, GlobalIntervalHoldsBackThenAnnounces) {
    Scene scene;
    ASSERT_TRUE(scene.ingest({waitingA}));
    scene.clock.advance(10);
    const AISession waitingB = session("b", AIActivity::waitingForUser);
    EXPECT_FALSE(scene.ingest({waitingA, waitingB}));
    scene.clock.advance(19.9);
    EXPECT_FALSE(scene.ingest({waitingA, waitingB}));
    scene.clock.advance(0.1);
    const auto event = scene.ingest({waitingA, waitingB});
    ASSERT_TRUE(event);
    EXPECT_EQ(event->items, (std::vector<AttentionEvent::Item>{{AIToolKind::claudeCode, std::nullopt, "b"}}));
    // Held back, then no longer waiting: dropped.
    scene.clock.advance(5);
    const AISession waitingC = session("c", AIActivity::waitingForUser);
    EXPECT_FALSE(scene.ingest({waitingC}));
    scene.clock.advance(1);
    EXPECT_FALSE(scene.ingest({}));
    scene.clock.advance(60);
    EXPECT_FALSE(scene.ingest({}));
    EXPECT_EQ(scene.center.pendingCount(), 0);
}

TEST(AttentionCenter, SessionCooldownSpansEpisodes) {
    Scene scene;
    ASSERT_TRUE(scene.ingest({waitingA}));
    scene.clock.advance(60);
    EXPECT_FALSE(scene.ingest({workingA}));
    scene.clock.advance(60);
    EXPECT_FALSE(scene.ingest({waitingA})); // 2 minutes after the announcement
    EXPECT_FALSE(scene.ingest({workingA}));
    scene.clock.advance(179.9);
    EXPECT_FALSE(scene.ingest({waitingA})); // just under 5 minutes
    EXPECT_FALSE(scene.ingest({workingA}));
    scene.clock.advance(0.1);
    EXPECT_TRUE(scene.ingest({waitingA})); // 5 minutes
}

TEST(AttentionCenter, PausedEpisodesAreNeverAnnounced) {
    Scene scene;
    scene.paused = true;
    EXPECT_FALSE(scene.ingest({waitingA}));
    EXPECT_EQ(scene.center.pendingCount(), 1);
    scene.paused = false;
    scene.clock.advance(100);
    EXPECT_FALSE(scene.ingest({waitingA}));
    // A new episode after un-pausing is announced.
    EXPECT_FALSE(scene.ingest({workingA}));
    EXPECT_TRUE(scene.ingest({waitingA}));
}

TEST(AttentionCenter, HostApplicationInFrontSuppressesItsToolOnly) {
    Scene scene;
    scene.front = "com.openai.codex";
    EXPECT_FALSE(scene.ingest({}, {}, {session("x", AIActivity::waitingForUser)}));
    scene.front = std::nullopt;
    scene.clock.advance(100);
    EXPECT_FALSE(scene.ingest({}, {}, {session("x", AIActivity::waitingForUser)})); // seen in this episode
    scene.front = "com.openai.chat";
    const auto cli = scene.ingest({waitingA}, {session("d", AIActivity::waitingForUser)}, {session("y", AIActivity::waitingForUser)});
    ASSERT_TRUE(cli);
    EXPECT_EQ(cli->items, (std::vector<AttentionEvent::Item>{{AIToolKind::claudeCode, "shop", "a"},
                                                              {AIToolKind::claudeDesktop, std::nullopt, "d"}}));
}

/// The tools announced when sessions of all three start waiting while `front` is in front.
std::vector<AIToolKind> announcedWith(const std::string& front) {
    Scene scene;
    scene.front = front;
    const auto event = scene.ingest({waitingA}, {session("d", AIActivity::waitingForUser)},
                                    {session("x", AIActivity::waitingForUser)});
    std::vector<AIToolKind> tools;
    if (event) {
        for (const AttentionEvent::Item& item : event->items)
            tools.push_back(item.tool);
    }
    return tools;
}

TEST(AttentionCenter, LinuxHostsInFrontSuppressTheirToolOnly) {
    using enum AIToolKind;
    // Front-most identities as the tracker reports them: window classes and desktop IDs. Terminals
    // and editors host Codex's command line.
    const std::pair<std::vector<std::string>, std::vector<AIToolKind>> table[] = {
        {{"Gnome-terminal", "org.gnome.Terminal", "konsole", "Xfce4-terminal", "kitty", "Alacritty",
          "org.wezfurlong.wezterm", "Tilix", "Terminator", "XTerm", "x-terminal-emulator", "Code", "Cursor"},
         {claudeCode, claudeDesktop}},
        {{"Claude", "claude-desktop"}, {claudeCode, codex}},
        {{"firefox", "org.gnome.Nautilus", ""}, {claudeCode, claudeDesktop, codex}},
    };
    for (const auto& [fronts, announced] : table) {
        for (const std::string& front : fronts) EXPECT_EQ(announcedWith(front), announced) << front;
    }

    // Every identity of the host table, in any case, hides its own tool's sessions.
    for (const AIToolKind tool : {claudeDesktop, codex}) {
        for (const std::string_view host : hostBundleIDs(tool)) {
            for (const std::string_view identity : HostApplications::identities(host)) {
                std::string upper(identity);
                for (char& c : upper)
                    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
                for (const std::string& front : {std::string(identity), upper}) {
                    const auto tools = announcedWith(front);
                    EXPECT_EQ(std::count(tools.begin(), tools.end(), tool), 0) << front;
                    EXPECT_EQ(tools.size(), 2U) << front;
                }
            }
        }
    }
}

TEST(AttentionCenter, HeldBackSessionIsDroppedWhenItsHostComesToFront) {
    Scene scene;
    ASSERT_TRUE(scene.ingest({waitingA}));
    scene.clock.advance(10);
    const AISession desktop = session("d", AIActivity::waitingForUser);
    EXPECT_FALSE(scene.ingest({waitingA}, {desktop}));
    scene.front = "com.anthropic.claudefordesktop";
    scene.clock.advance(30);
    EXPECT_FALSE(scene.ingest({waitingA}, {desktop}));
    scene.front = std::nullopt;
    scene.clock.advance(30);
    EXPECT_FALSE(scene.ingest({waitingA}, {desktop}));
}

} // namespace
} // namespace corvane
