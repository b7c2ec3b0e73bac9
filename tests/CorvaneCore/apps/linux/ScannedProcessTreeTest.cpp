#include "apps/linux/ScannedProcessTree.h"

#include <gtest/gtest.h>

#include <map>

namespace corvane {
namespace {

class CountingTree final : public ProcessTreeProviding {
public:
    std::optional<ProcessLineage> lineage(std::int32_t pid) const override {
        ++reads;
        auto it = table.find(pid);
        return it == table.end() ? std::nullopt : std::optional<ProcessLineage>(it->second);
    }
    std::map<std::int32_t, ProcessLineage> table;
    mutable int reads{0};
};

TEST(ScannedProcessTree, RecordedProcessesNeedNoReadUnlessTerminalsMatter) {
    CountingTree fallback;
    fallback.table = {{10, {1, 10, 0x8801u}}, {20, {1, 20, std::nullopt}}};
    ScannedProcessTree tree(fallback);
    tree.add(10, 1, 10);
    EXPECT_EQ(tree.lineage(10), (ProcessLineage{1, 10, std::nullopt}));
    EXPECT_EQ(fallback.reads, 0);
    EXPECT_EQ(tree.parentOf(10), 1);
    EXPECT_EQ(tree.parentOf(20), std::nullopt);

    tree.readTerminals(true);
    EXPECT_EQ(tree.lineage(10), (ProcessLineage{1, 10, 0x8801u}));
    EXPECT_EQ(fallback.reads, 1);
}

TEST(ScannedProcessTree, UnrecordedProcessesAskTheFallback) {
    CountingTree fallback;
    fallback.table = {{20, {7, 20, 0x8802u}}};
    ScannedProcessTree tree(fallback);
    EXPECT_EQ(tree.lineage(20), (ProcessLineage{7, 20, 0x8802u}));
    EXPECT_EQ(tree.lineage(30), std::nullopt);
}

} // namespace
} // namespace corvane
