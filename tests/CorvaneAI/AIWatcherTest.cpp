#include "AIWatcher.h"
#include "ClaudeCodeSource.h"
#include "apps/ProcessScanner.h"
#include "WatcherHome.h"
#include "support/ConcurrentPool.h"
#include "support/FileRead.h"
#include "support/NamedProcess.h"
#include "support/ScopedEnvironment.h"
#include "support/SplitText.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <ctime>
#include <filesystem>

namespace corvane {
namespace {

using test::WatcherHome;
namespace lines = test::lines;

const Date T0 = WatcherHome::start();

Date at(double seconds) {
    return addingSeconds(T0, seconds);
}

const AISession* find(const AIToolStatus& status, const std::string& id) {
    for (const AISession& session : status.sessions) {
        if (session.id == id) return &session;
    }
    return nullptr;
}

std::vector<std::string> ids(const AIToolStatus& status) {
    std::vector<std::string> out;
    for (const AISession& session : status.sessions) out.push_back(session.id);
    return out;
}

/// Sets TZ for the life of the guard.
struct TimeZone {
    struct Reread {
        ~Reread() { ::tzset(); }
    } reread; // after TZ is restored
    test::ScopedEnvironment variable;
    explicit TimeZone(const char* zone) : variable("TZ", zone) { ::tzset(); }
};

TEST(AIWatcher, SessionIDAndProjectFolderNames) {
    EXPECT_EQ(sessionID("/a/b/rollout-x.jsonl.zst"), "rollout-x");
    EXPECT_EQ(sessionID("/a/b/abc.jsonl"), "abc");
    EXPECT_EQ(sessionID("/a/b/abc.zst.jsonl"), "abc.zst");
    EXPECT_EQ(sessionID("/a/local_1.json"), "local_1.json");
    EXPECT_EQ(ClaudeCodeSource::decodeProjectDir("/p/-Users-me-src-app"), "src-app");
    EXPECT_EQ(ClaudeCodeSource::decodeProjectDir("/p/-Users-me-src--my-app"), "src-my-app");
    // Three pieces are not enough, and other roots keep the folder's own name.
    EXPECT_EQ(ClaudeCodeSource::decodeProjectDir("/p/-Users-me-src"), "-Users-me-src");
    EXPECT_EQ(ClaudeCodeSource::decodeProjectDir("/p/-home-me-src-app"), "-home-me-src-app");
    EXPECT_EQ(ClaudeCodeSource::decodeProjectDir(""), std::nullopt);
}

TEST(AIWatcher, WithoutProcessesNothingRunsAndHistoryIsDropped) {
    WatcherHome home;
    home.write(".claude/projects/-Users-me-src-app/s1.jsonl", lines::claudeBusy(), T0);
    home.clock.set(at(1));
    AIWatcher watcher(home.config());
    EXPECT_EQ(watcher.statuses()[0].sessions.at(0).since, T0);
    // Still busy after another write: the first since is kept.
    home.write(".claude/projects/-Users-me-src-app/s1.jsonl", lines::claudeBusy() + lines::claudeBusy(), at(10));
    home.clock.set(at(11));
    EXPECT_EQ(watcher.statuses()[0].sessions.at(0).since, T0);

    home.setRunning({"bash", "Codex", "CLAUDE"});
    const auto none = watcher.statuses();
    ASSERT_EQ(none.size(), 3U);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(none[i].kind, allAIToolKinds[i]);
        EXPECT_FALSE(none[i].isRunning);
        EXPECT_TRUE(none[i].sessions.empty());
        EXPECT_EQ(none[i].activity(), AIActivity::notRunning);
    }
    // Back again: the session starts afresh from its transcript's date.
    home.setRunning({"claude"});
    const auto again = watcher.statuses();
    EXPECT_TRUE(again[0].isRunning);
    EXPECT_EQ(again[0].sessions.at(0).since, at(10));
    EXPECT_FALSE(again[2].isRunning);
}

// The rule's boundaries are tabled with the rule itself; here every raw state comes from a real
// transcript, and a change of activity dates back to the last write, not to the poll.
TEST(AIWatcher, TranscriptStatesAreClassifiedByTheirQuietTime) {
    WatcherHome home;
    const std::vector<std::string> names{"waiting", "pending", "busy", "stopped"};
    const std::vector<std::string> content{lines::claudeWaiting("/work/shop"), lines::claudePendingTool(),
                                           lines::claudeBusy(), lines::claudeInterrupted()};
    for (std::size_t i = 0; i < names.size(); ++i) home.write(".claude/projects/p/" + names[i] + ".jsonl", content[i], T0);
    AIWatcher watcher(home.config());
    using enum AIActivity;
    const std::vector<std::pair<double, std::vector<AIActivity>>> polls{
        {14.9, {working, working, working, idle}}, {400, {waitingForUser, mayNeedConfirmation, idle, idle}}};
    for (const auto& [seconds, expected] : polls) {
        home.clock.set(at(seconds));
        const AIToolStatus status = watcher.statuses()[0];
        for (std::size_t i = 0; i < names.size(); ++i) {
            EXPECT_EQ(find(status, names[i])->activity, expected[i]) << names[i] << " at " << seconds;
            EXPECT_EQ(find(status, names[i])->since, T0) << names[i] << " at " << seconds;
        }
        EXPECT_EQ(find(status, "waiting")->project, "shop");
    }
    EXPECT_EQ(watcher.statuses()[0].attentionCount(), 2);
}

TEST(AIWatcher, OnlyTheTwelveNewestRecentTranscriptsAreReported) {
    WatcherHome home;
    for (int i = 1; i <= 13; ++i) {
        home.write(".claude/projects/p/s" + std::to_string(i) + ".jsonl", lines::claudeBusy(), at(-i));
    }
    home.write(".claude/projects/p/old.jsonl", lines::claudeBusy(), at(-1801));
    home.write(".claude/projects/p/notes.json", lines::claudeBusy(), T0);
    AIWatcher watcher(home.config());
    const auto status = watcher.statuses()[0];
    ASSERT_EQ(status.sessions.size(), 12U);
    EXPECT_EQ(status.sessions.front().id, "s1");
    EXPECT_EQ(status.sessions.back().id, "s12");
    EXPECT_FALSE(find(status, "s13"));
    EXPECT_FALSE(find(status, "old"));
}

TEST(AIWatcher, UnchangedTranscriptsAreNotReadAgain) {
    WatcherHome home;
    const std::string path = home.write(".claude/projects/p/s1.jsonl", lines::claudeBusy(), T0);
    AIWatcher watcher(home.config());
    watcher.statuses();
    watcher.statuses();
    EXPECT_EQ(home.accesses(path), 1);
    // Same date, different size: read again.
    home.write(".claude/projects/p/s1.jsonl", lines::claudeBusy() + lines::claudeWaiting(), T0);
    home.clock.set(at(20));
    EXPECT_EQ(watcher.statuses()[0].sessions.at(0).activity, AIActivity::waitingForUser);
    EXPECT_EQ(home.accesses(path), 2);
}

TEST(AIWatcher, ParseCacheKeepsTheSixtyFourNewestEntries) {
    WatcherHome home;
    AIWatcherConfig config = home.config();
    config.maxFilesPerTool = 40;
    std::vector<std::string> claude;
    for (int i = 0; i < 40; ++i) {
        claude.push_back(home.write(".claude/projects/p/c" + std::to_string(i) + ".jsonl", lines::claudeBusy(), at(-i)));
    }
    // Codex files are all newer, so the oldest sixteen Claude entries are the ones evicted.
    const std::string day = "2026/05/11";
    for (int i = 0; i < 40; ++i) {
        home.write(".codex/sessions/" + day + "/rollout-" + std::to_string(i) + ".jsonl",
                   lines::codexMeta("/w") + lines::codexBusy(), at(1 + i));
    }
    TimeZone utc("UTC0");
    AIWatcher watcher(config);
    watcher.statuses();
    watcher.statuses();
    EXPECT_EQ(home.accesses(claude[0]), 1);
    EXPECT_EQ(home.accesses(claude[23]), 1);
    EXPECT_EQ(home.accesses(claude[24]), 2);
    EXPECT_EQ(home.accesses(claude[39]), 2);
}

TEST(AIWatcher, CodexReadsTodayAndYesterdayInLocalTimeWithFirstLineProject) {
    // 12:00 UTC is already 02:00 the next day at UTC+14.
    TimeZone zone("KIR-14");
    WatcherHome home;
    home.write(".codex/sessions/2026/05/12/rollout-a.jsonl", lines::codexMeta("/src/today") + lines::codexBusy(), T0);
    home.write(".codex/sessions/2026/05/11/rollout-b.jsonl", lines::codexMeta("C:\\\\w\\\\yest") + lines::codexWaiting(),
               at(-100));
    home.write(".codex/sessions/2026/05/10/rollout-c.jsonl", lines::codexBusy(), T0);
    home.write(".codex/sessions/2026/05/12/other-d.jsonl", lines::codexBusy(), T0);
    AIWatcher watcher(home.config());
    const auto codex = watcher.statuses()[2];
    EXPECT_TRUE(codex.isRunning);
    EXPECT_EQ(ids(codex), (std::vector<std::string>{"rollout-a", "rollout-b"}));
    EXPECT_EQ(find(codex, "rollout-a")->project, "today");
    EXPECT_EQ(find(codex, "rollout-a")->activity, AIActivity::working);
    EXPECT_EQ(find(codex, "rollout-b")->project, "C:\\w\\yest");
    EXPECT_EQ(find(codex, "rollout-b")->activity, AIActivity::waitingForUser);
}

TEST(AIWatcher, ArchivedCodexRolloutIsBusyForAMinuteThenIdle) {
    TimeZone utc("UTC0");
    WatcherHome home;
    home.write(".codex/sessions/2026/05/11/rollout-new.jsonl.zst", "\x28\xB5\x2F\xFD", at(-30));
    home.write(".codex/sessions/2026/05/11/rollout-old.jsonl.zst", "\x28\xB5\x2F\xFD", at(-120));
    AIWatcher watcher(home.config());
    const auto codex = watcher.statuses()[2];
    EXPECT_EQ(find(codex, "rollout-new")->activity, AIActivity::working);
    EXPECT_EQ(find(codex, "rollout-old")->activity, AIActivity::idle);
    EXPECT_EQ(find(codex, "rollout-new")->project, std::nullopt);
}

TEST(AIWatcher, ProjectFolderListingFollowsRecencyFullScanAndActiveSet) {
    WatcherHome home;
    home.write(".claude/projects/quiet/a.jsonl", lines::claudeBusy(), T0);
    const std::string quietDir = home.claudeProjects() + "/quiet";
    home.dir.makeDirectory(".claude/projects/later");
    const std::string laterDir = home.claudeProjects() + "/later";
    WatcherHome::setMtime(quietDir, at(-4000));
    WatcherHome::setMtime(laterDir, at(-4000));
    AIWatcher watcher(home.config());
    EXPECT_TRUE(find(watcher.statuses()[0], "a")); // the first poll lists every folder

    // A transcript appears in a folder that looks old and is not known to be active.
    home.write(".claude/projects/later/b.jsonl", lines::claudeBusy(), at(5));
    WatcherHome::setMtime(laterDir, at(-4000));
    home.clock.set(at(30));
    const auto between = watcher.statuses()[0];
    EXPECT_TRUE(find(between, "a")); // kept listed: it held a recent transcript
    EXPECT_FALSE(find(between, "b"));
    home.clock.set(at(60));
    EXPECT_TRUE(find(watcher.statuses()[0], "b")); // the once-a-minute full scan finds it
}

TEST(AIWatcher, OverrunningListingReportsPreviousSessionsAndIsNotStartedTwice) {
    WatcherHome home;
    home.write(".claude/projects/p/s1.jsonl", lines::claudeBusy(), T0);
    AIWatcherConfig config = home.config();
    config.readTimeout = 0.1;
    AIWatcher watcher(config);
    home.clock.set(at(1));
    const auto before = watcher.statuses()[0];
    ASSERT_EQ(before.sessions.size(), 1U);

    home.hold(home.claudeProjects());
    home.write(".claude/projects/p/s2.jsonl", lines::claudeBusy(), at(2));
    home.clock.set(at(3));
    EXPECT_EQ(watcher.statuses()[0], before);
    EXPECT_EQ(watcher.statuses()[0], before);
    EXPECT_EQ(home.accesses(home.claudeProjects()), 2); // one per started listing: the first poll's and one more
    home.release();
}

TEST(AIWatcher, HungReadHoldsOneWorkerAndNeverBlocksLaterPolls) {
    WatcherHome home;
    const std::string hung = home.write(".claude/projects/p/hung.jsonl", lines::claudeBusy(), T0);
    const std::string live = ".claude/projects/p/live.jsonl";
    home.write(live, lines::claudeBusy(), T0);
    AIWatcherConfig config = home.config();
    config.readTimeout = 0.1;
    home.hold(hung);
    // Two workers: a second read of the stuck file would leave none for the listing.
    AIWatcher watcher(config, std::make_shared<ConcurrentPool>(2));
    home.clock.set(at(20));
    auto status = watcher.statuses()[0];
    EXPECT_EQ(find(status, "hung")->activity, AIActivity::working);
    EXPECT_EQ(find(status, "hung")->since, at(20)); // never seen: working since the poll
    EXPECT_EQ(find(status, "live")->activity, AIActivity::working);
    for (int poll = 0; poll < 4; ++poll) {
        home.write(live, lines::claudeBusy() + std::string(static_cast<std::size_t>(poll), ' ') + lines::claudeWaiting(),
                   at(21 + poll));
        home.clock.set(at(40 + poll));
        status = watcher.statuses()[0];
        EXPECT_EQ(find(status, "live")->activity, AIActivity::waitingForUser) << poll;
        EXPECT_EQ(find(status, "hung")->since, at(20)) << poll; // its record is carried over
    }
    EXPECT_EQ(home.accesses(hung), 1);
    home.release();
}

// Run as an unprivileged user, for whom a locked file cannot be read.
TEST(AIWatcher, OnlyReadableRegularTranscriptsTakeTheSlotsEachOnce) {
    if (const int child = test::rerunCurrentTestUnprivileged(); child >= 0) {
        EXPECT_EQ(child, 0) << "the same test run as an unprivileged user";
        return;
    }
    WatcherHome home;
    std::vector<std::string> real;
    for (int i = 0; i < 12; ++i) {
        real.push_back("r" + std::to_string(i));
        home.write(".claude/projects/p/r" + std::to_string(i) + ".jsonl", lines::claudeBusy(""), at(-100 - i));
    }
    // Newer than every real transcript, and none of them one.
    const std::string project = home.claudeProjects() + "/p";
    ASSERT_EQ(::mkfifo((project + "/pipe.jsonl").c_str(), 0600), 0);
    WatcherHome::setMtime(project + "/pipe.jsonl", at(-1));
    WatcherHome::setMtime(home.dir.makeDirectory(".claude/projects/p/folder.jsonl"), at(-2));
    const std::string locked = home.write(".claude/projects/p/locked.jsonl", lines::claudeBusy(""), at(-3));
    ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
    // Every real transcript is reachable a second time, through a linked project folder.
    home.dir.symlink(project, ".claude/projects/linked");

    // One worker: a read stuck on the pipe would hold it for good.
    AIWatcher watcher(home.config(), std::make_shared<ConcurrentPool>(1));
    home.clock.set(at(5));
    const AIToolStatus status = watcher.statuses()[0];
    std::vector<std::string> found = ids(status);
    std::sort(found.begin(), found.end());
    std::sort(real.begin(), real.end());
    EXPECT_EQ(found, real);
    for (const AISession& session : status.sessions)
        EXPECT_EQ(session.project, "p") << session.id;
    EXPECT_EQ(home.accesses(project + "/pipe.jsonl"), 0);
}

TEST(AIWatcher, TranscriptWhoseReadFailsIsNoSession) {
    WatcherHome home;
    const std::string gone = home.write(".claude/projects/p/gone.jsonl", lines::claudeBusy(), T0);
    home.write(".claude/projects/p/live.jsonl", lines::claudeBusy(), at(-1));
    auto removing = std::make_shared<std::atomic<bool>>(false);
    AIWatcherConfig config = home.config();
    // Removed between the listing and the read.
    config.fileAccessProbe = [gone, removing](const std::string& path) {
        if (*removing && path == gone) ::unlink(gone.c_str());
    };
    AIWatcher watcher(config);
    home.clock.set(at(5));
    EXPECT_EQ(ids(watcher.statuses()[0]), (std::vector<std::string>{"gone", "live"}));
    // Unlike a read that overran, a failed one does not keep the session's earlier record.
    home.write(".claude/projects/p/gone.jsonl", lines::claudeWaiting(), at(6));
    *removing = true;
    home.clock.set(at(30));
    EXPECT_EQ(ids(watcher.statuses()[0]), (std::vector<std::string>{"live"}));
}

TEST(AIWatcher, DesktopTreeWithoutSessionRecordsIsOneWorkingSession) {
    WatcherHome home;
    home.setRunning({"Claude"});
    home.write("Library/Application Support/Claude/local-agent-mode-sessions/a/b/log.txt", "x", at(-50));
    WatcherHome::setMtime(home.desktopSessions() + "/a/b", at(-60));
    WatcherHome::setMtime(home.desktopSessions() + "/a", at(-70));
    AIWatcher watcher(home.config());
    const auto status = watcher.statuses();
    EXPECT_FALSE(status[0].isRunning);
    ASSERT_TRUE(status[1].isRunning);
    ASSERT_EQ(status[1].sessions.size(), 1U);
    EXPECT_EQ(status[1].sessions[0].id, "desktop");
    EXPECT_EQ(status[1].sessions[0].since, at(-50));
    EXPECT_EQ(status[1].sessions[0].activity, AIActivity::working);
}

TEST(AIWatcher, DesktopSessionRecordsGiveTitledSessions) {
    WatcherHome home;
    home.setRunning({"Claude"});
    const std::string base = "Library/Application Support/Claude/local-agent-mode-sessions/";
    home.write(base + "org/local_1.json", R"({"title":"重构登录"})", at(-10));
    home.write(base + "org/local_2.json", "{broken", at(-20));
    home.write(base + "org/remote_3.json", R"({"title":"x"})", at(-5));
    const std::string fifo = home.desktopSessions() + "/org/local_0.json"; // newest, but no record
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    WatcherHome::setMtime(fifo, at(-1));
    for (int i = 4; i <= 9; ++i) home.write(base + "org/local_" + std::to_string(i) + ".json", "{}", at(-100 - i));
    AIWatcher watcher(home.config());
    const auto desktop = watcher.statuses()[1];
    EXPECT_EQ(ids(desktop), (std::vector<std::string>{"local_1.json", "local_2.json", "local_4.json", "local_5.json",
                                                      "local_6.json"}));
    EXPECT_EQ(desktop.sessions[0].project, "重构登录");
    EXPECT_EQ(desktop.sessions[1].project, std::nullopt);
    // The title survives a later poll in which the record cannot be read.
    home.write(base + "org/local_1.json", "not json", at(-10));
    home.clock.set(at(5));
    EXPECT_EQ(watcher.statuses()[1].sessions[0].project, "重构登录");
}

TEST(AIWatcher, DesktopWalkStopsAtFourLevelsAndSixNewestFolders) {
    WatcherHome home;
    home.setRunning({"Claude"});
    const std::string root = "Library/Application Support/Claude/local-agent-mode-sessions/";
    // Seven folders at the first level; the oldest folder is not descended into, though it holds
    // the newest record of that level.
    for (int i = 0; i < 7; ++i) {
        home.write(root + "f" + std::to_string(i) + "/local_f" + std::to_string(i) + ".json", "{}",
                   at(i == 6 ? -3 : -10 - i));
        WatcherHome::setMtime(home.desktopSessions() + "/f" + std::to_string(i), at(-100 - i));
    }
    // A record on the fourth level is found; one on the fifth is not.
    home.write(root + "f0/l2/l3/local_deep4.json", "{}", at(-1));
    home.write(root + "f0/l2/l3/l4/local_deep5.json", "{}", at(-2));
    for (const char* folder : {"f0/l2/l3/l4", "f0/l2/l3", "f0/l2"}) {
        WatcherHome::setMtime(home.desktopSessions() + "/" + folder, at(-50));
    }
    WatcherHome::setMtime(home.desktopSessions() + "/f0", at(-100));
    AIWatcher watcher(home.config());
    const auto desktop = watcher.statuses()[1];
    const auto found = ids(desktop);
    EXPECT_EQ(found.front(), "local_deep4.json");
    EXPECT_EQ(std::count(found.begin(), found.end(), "local_deep5.json"), 0);
    EXPECT_EQ(found, (std::vector<std::string>{"local_deep4.json", "local_f0.json", "local_f1.json", "local_f2.json",
                                               "local_f3.json"}));
}

/// The names the rule gives one real process, read from its /proc entry; empty once it is gone.
std::set<std::string> namesOfProcess(pid_t pid) {
    const std::string dir = "/proc/" + std::to_string(pid);
    std::string comm = readWholeFile(dir + "/comm").value_or("");
    if (!comm.empty() && comm.back() == '\n') comm.pop_back();
    if (comm.empty()) return {};
    const auto arguments = splitNonEmpty(readWholeFile(dir + "/cmdline").value_or(""), '\0');
    std::error_code error;
    const std::string executable = std::filesystem::read_symlink(dir + "/exe", error).string();
    const auto names = ProcessScanner::namesOf(comm, arguments, executable);
    return {names.begin(), names.end()};
}

// A real process named "claude", seen through its own /proc entry only, so that other processes
// of that name on the machine change nothing.
TEST(AIWatcherLive, RealProcessNamedClaudeCountsAsRunning) {
    test::NamedProcess claude("claude");
    WatcherHome home;
    AIWatcherConfig config = home.config();
    config.processNames = [pid = claude.pid()] { return namesOfProcess(pid); };
    AIWatcher watcher(config);
    bool running = false;
    for (int attempt = 0; attempt < 50 && !running; ++attempt) {
        running = watcher.statuses()[0].isRunning;
        if (!running) ::usleep(20'000); // its command line may not be in place yet
    }
    claude.stop();
    EXPECT_TRUE(running);
    EXPECT_FALSE(watcher.statuses()[0].isRunning);
}

} // namespace
} // namespace corvane
