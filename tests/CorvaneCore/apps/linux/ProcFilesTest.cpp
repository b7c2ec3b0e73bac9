#include "apps/linux/ProcStat.h"
#include "apps/linux/ProcessTable.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(ProcStat, CommandWithSpacesAndParenthesesIsSkipped) {
    const auto lineage = parseProcStat("4242 (we(ird) ) name)) S 17 4240 4240 34817 4240 4194304 1 2 3");
    ASSERT_TRUE(lineage);
    EXPECT_EQ(*lineage, (ProcessLineage{17, 4240, 34817u}));
}

TEST(ProcStat, NoTerminalOrMalformedTextIsAbsent) {
    EXPECT_EQ(parseProcStat("1 (systemd) S 0 1 1 0 -1 4194560")->tty, std::nullopt);
    EXPECT_EQ(parseProcStat("1 (x) S 0 1 1 -1 -1 4194560")->tty, std::nullopt);
    EXPECT_FALSE(parseProcStat(""));
    EXPECT_FALSE(parseProcStat("12 (cut short) S 1"));
    EXPECT_FALSE(parseProcStat("12 no parentheses S 1 2 3 4"));
    EXPECT_FALSE(parseProcStat("12 (x) S one 2 3 4"));
}

TEST(ProcessTable, StatusGivesFootprintParentAndOuterProcessGroup) {
    const std::string status = "Name:\tfirefox\nPid:\t4000\nPPid:\t12\nNSpid:\t4000\t3\nNSpgid:\t3990\t1\n"
                               "VmRSS:\t  900 kB\nRssAnon:\t  500 kB\nRssFile:\t  300 kB\n"
                               "RssShmem:\t  100 kB\nVmSwap:\t   20 kB\nThreads:\t3\n";
    EXPECT_EQ(parseStatus(status), (StatusFields{620u * 1024, 12, 3990}));
    EXPECT_EQ(parseStatus("Name:\tkthreadd\nPPid:\t2\nThreads:\t1\n"), (StatusFields{std::nullopt, 2, std::nullopt}));
    EXPECT_EQ(parseStatus("RssAnon:\t7 kB").footprintBytes, 7u * 1024) << "last line without newline";
    EXPECT_EQ(parseStatus("RssAnon:\tx kB\nPPid:\t\n"), StatusFields{}) << "malformed numbers are absent";
}

TEST(ProcessTable, DeletedExecutableSuffixIsStripped) {
    EXPECT_EQ(withoutDeletedSuffix("/usr/bin/app (deleted)"), "/usr/bin/app");
    EXPECT_EQ(withoutDeletedSuffix("/usr/bin/app"), "/usr/bin/app");
    EXPECT_EQ(withoutDeletedSuffix(" (deleted)"), " (deleted)");
}

} // namespace
} // namespace corvane
