#include "SessionLinkResolver.h"
#include "WatcherHome.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace corvane {
namespace {

using test::WatcherHome;

TEST(SessionLinkResolver, CodexLinksToTheLastThreadUUIDDesktopOnlyActivatesTheApp) {
    SessionLinkResolver resolver("/nonexistent");
    const auto link = resolver.link(
        AIToolKind::codex, "rollout-2026-02-23T12-47-42-019c8a53-a0dd-7130-bcd7-95445d84846a");
    EXPECT_EQ(link, (SessionLink{"codex://threads/019c8a53-a0dd-7130-bcd7-95445d84846a", "com.openai.codex", true}));
    EXPECT_EQ(resolver.link(AIToolKind::codex, "x-11111111-2222-3333-4444-555555555555-AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE")
                  .url,
              "codex://threads/AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE");
    EXPECT_EQ(resolver.link(AIToolKind::codex, "rollout-no-uuid"),
              (SessionLink{std::nullopt, "com.openai.codex", false}));
    // Matches do not overlap: the second UUID-shaped run starts inside the first.
    EXPECT_EQ(SessionLinkResolver::codexThreadID("11111111-2222-3333-4444-555555555555-6666-7777-8888-999999999999"),
              "11111111-2222-3333-4444-555555555555");
    const std::string uuid = "019c8a53-a0dd-7130-bcd7-95445d84846a";
    EXPECT_TRUE(SessionLinkResolver::codexThreadID(std::string(512 - uuid.size(), 'x') + uuid));
    EXPECT_FALSE(SessionLinkResolver::codexThreadID(std::string(513 - uuid.size(), 'x') + uuid));
    EXPECT_EQ(resolver.link(AIToolKind::claudeDesktop, "local_abc"),
              (SessionLink{std::nullopt, "com.anthropic.claudefordesktop", false}));
}

TEST(SessionLinkResolver, DesktopIDValidationAndEncoding) {
    EXPECT_TRUE(SessionLinkResolver::isDesktopSessionID("local_ab-9Z"));
    EXPECT_TRUE(SessionLinkResolver::isDesktopSessionID("local_" + std::string(64, 'a')));
    EXPECT_FALSE(SessionLinkResolver::isDesktopSessionID("local_" + std::string(65, 'a')));
    EXPECT_FALSE(SessionLinkResolver::isDesktopSessionID("local_"));
    EXPECT_FALSE(SessionLinkResolver::isDesktopSessionID("local_a_b"));
    EXPECT_FALSE(SessionLinkResolver::isDesktopSessionID("local_a/../b"));
    EXPECT_FALSE(SessionLinkResolver::isDesktopSessionID("remote_a"));
    EXPECT_EQ(SessionLinkResolver::percentEncoded("a-_.~ /é"), "a-_.~%20%2F%C3%A9");
}

class ResolverHome : public testing::Test {
protected:
    std::string record(const std::string& relative, const std::string& cli, const std::string& desktop, Date mtime) {
        return home.write("sessions/" + relative, R"({"cliSessionId":")" + cli + R"(","sessionId":")" + desktop + "\"}",
                          mtime);
    }
    WatcherHome home;
    std::string dir = home.dir / "sessions";
};

TEST_F(ResolverHome, CommandLineSessionOpensTheNewestNamingRecord) {
    const Date t = WatcherHome::start();
    record("org/proj/local_old.json", "cli-1", "local_older", addingSeconds(t, -100));
    record("org/proj/local_new.json", "cli-1", "local_newer", addingSeconds(t, -10));
    record("org/local_shallow.json", "cli-2", "local_shallow", t);                     // one level too high
    record("org/proj/deeper/local_deep.json", "cli-3", "local_deep", t);               // one level too deep
    record("org/proj/other_x.json", "cli-4", "local_other", t);                        // not a record name
    record("org/proj/local_bad.json", "cli-5", "local_bad id", t);                     // invalid desktop id
    home.write("sessions/org/proj/local_big.json", R"({"cliSessionId":"cli-6","sessionId":"local_big","pad":")" +
                                                       std::string(524288, 'x') + "\"}", t);
    record("org/proj/local_empty.json", "", "local_empty", t);
    home.dir.symlink("/dev/zero", "sessions/org/proj/local_zero.json");
    ASSERT_EQ(::mkfifo((dir + "/org/proj/local_pipe.json").c_str(), 0600), 0);
    SessionLinkResolver resolver(dir, home.clock.clock(), ClaudeDesktopLinkBase{"claude", "claude.ai"});
    EXPECT_EQ(resolver.link(AIToolKind::claudeCode, "cli-1"),
              (SessionLink{"claude://claude.ai/claude-code-desktop/local_newer", "com.anthropic.claudefordesktop", true}));
    for (const char* missing : {"cli-2", "cli-3", "cli-4", "cli-5", "cli-6", ""}) {
        EXPECT_EQ(resolver.link(AIToolKind::claudeCode, missing),
                  (SessionLink{std::nullopt, "com.anthropic.claudefordesktop", false}))
            << missing;
    }
}

TEST_F(ResolverHome, RebuildsAtMostEveryThirtySecondsAndOnlyWhenTheTreeChanged) {
    const Date t = WatcherHome::start();
    record("org/proj/local_a.json", "cli-a", "local_a", t);
    WatcherHome::setMtime(dir + "/org/proj", t);
    WatcherHome::setMtime(dir + "/org", t);
    WatcherHome::setMtime(dir, t);
    SessionLinkResolver resolver(dir, home.clock.clock());
    EXPECT_TRUE(resolver.link(AIToolKind::claudeCode, "cli-a").isExact);

    // A new record 10 seconds later is not seen: no rebuild within 30 seconds of the last.
    record("org/proj/local_b.json", "cli-b", "local_b", t);
    WatcherHome::setMtime(dir + "/org/proj", addingSeconds(t, 1));
    home.clock.advance(10);
    EXPECT_FALSE(resolver.link(AIToolKind::claudeCode, "cli-b").url);
    // 40 seconds on, the folder's date changed: rebuilt.
    home.clock.advance(30);
    EXPECT_EQ(resolver.link(AIToolKind::claudeCode, "cli-b").url, "claude://claude.ai/claude-code-desktop/local_b");

    // A record whose folders keep their dates is invisible: the signature did not change...
    record("org/proj/local_c.json", "cli-c", "local_c", t);
    WatcherHome::setMtime(dir + "/org/proj", addingSeconds(t, 1));
    home.clock.advance(40);
    EXPECT_FALSE(resolver.link(AIToolKind::claudeCode, "cli-c").url);
    // ...and that miss counted as a check, so a change right after waits another 30 seconds.
    WatcherHome::setMtime(dir + "/org/proj", addingSeconds(t, 5));
    home.clock.advance(20);
    EXPECT_FALSE(resolver.link(AIToolKind::claudeCode, "cli-c").url);
    home.clock.advance(10);
    EXPECT_TRUE(resolver.link(AIToolKind::claudeCode, "cli-c").url);
    // Known ids are answered from the map at any time.
    EXPECT_TRUE(resolver.link(AIToolKind::claudeCode, "cli-a").url);
    // A clock that went backwards lifts the limit.
    record("org/proj/local_d.json", "cli-d", "local_d", t);
    WatcherHome::setMtime(dir + "/org/proj", addingSeconds(t, 9));
    home.clock.advance(-100);
    EXPECT_TRUE(resolver.link(AIToolKind::claudeCode, "cli-d").url);
}

TEST_F(ResolverHome, EveryJumpLooksAgainSoARecordWrittenSinceIsFound) {
    const SessionLinkLookup lookup = freshSessionLinkLookup(home.dir.path(), home.clock.clock());
    const std::string records = "Library/Application Support/Claude/claude-code-sessions/org/proj/";
    EXPECT_FALSE(lookup(AIToolKind::claudeCode, "cli-new").url);
    // At the same moment: a resolver kept from the first jump would still be in its 30-second pause.
    home.write(records + "local_new.json", R"({"cliSessionId":"cli-new","sessionId":"local_new"})", home.clock.now());
    EXPECT_EQ(lookup(AIToolKind::claudeCode, "cli-new").url, "claude://claude.ai/claude-code-desktop/local_new");
}

TEST_F(ResolverHome, AtMost1024RecordsAreHeld) {
    const Date t = WatcherHome::start();
    for (int i = 0; i < 1030; ++i) {
        record("org/proj/local_" + std::to_string(i) + ".json", "cli-" + std::to_string(i),
               "local_" + std::to_string(i), addingSeconds(t, -i));
    }
    SessionLinkResolver resolver(dir, home.clock.clock());
    EXPECT_TRUE(resolver.link(AIToolKind::claudeCode, "cli-1023").url);
    EXPECT_FALSE(resolver.link(AIToolKind::claudeCode, "cli-1024").url);
}

} // namespace
} // namespace corvane
