#include "memory/PressureMonitor.h"

#include "support/FileRead.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using test::TempDir;

const std::string triggerWritten = std::string("some 150000 2000000") + '\0';

TEST(PressureMonitor, FlagsToLevel) {
    EXPECT_EQ(PressureMonitor::level({}), PressureLevel::normal);
    EXPECT_EQ(PressureMonitor::level({true, false, false}), PressureLevel::normal);
    EXPECT_EQ(PressureMonitor::level({false, true, false}), PressureLevel::elevated);
    EXPECT_EQ(PressureMonitor::level({false, true, true}), PressureLevel::critical);
    EXPECT_EQ(PressureMonitor::level({true, true, true}), PressureLevel::critical);
}

TEST(PressureMonitor, StartAndStopAreIdempotent) {
    TempDir root;
    const std::string psi = root.write("proc/pressure/memory", "");
    PressureMonitor monitor([](PressureLevel) {}, root.path());
    monitor.stop(); // before start: nothing happens
    EXPECT_FALSE(monitor.isMonitoring());
    monitor.start();
    EXPECT_TRUE(monitor.isMonitoring());
    monitor.start();
    EXPECT_TRUE(monitor.isMonitoring());
    EXPECT_EQ(readWholeFile(psi), triggerWritten); // one trigger, not two
    monitor.stop();
    EXPECT_FALSE(monitor.isMonitoring());
    monitor.stop();
    monitor.start(); // restartable
    EXPECT_TRUE(monitor.isMonitoring());
}

TEST(PressureMonitor, FallsBackToOwnCgroupPressureElseNoMonitor) {
    TempDir root;
    root.write("proc/self/cgroup", "1:name=systemd:/ignored\n0::/user.slice/app.scope\n");
    const std::string cgroupPsi = root.write("sys/fs/cgroup/user.slice/app.scope/memory.pressure", "");
    PressureMonitor monitor([](PressureLevel) {}, root.path());
    monitor.start();
    EXPECT_TRUE(monitor.isMonitoring());
    EXPECT_EQ(readWholeFile(cgroupPsi), triggerWritten);

    TempDir none;
    none.write("proc/self/cgroup", "0::/nowhere\n");
    PressureMonitor without([](PressureLevel) {}, none.path());
    without.start();
    EXPECT_FALSE(without.isMonitoring());
    without.stop();
}

TEST(PressureMonitor, DestructionStopsAWaitingMonitor) {
    TempDir root;
    root.write("proc/pressure/memory", "");
    auto monitor = std::make_unique<PressureMonitor>([](PressureLevel) {}, root.path());
    monitor->start();
    monitor.reset(); // must join the waiter without hanging
    SUCCEED();
}

// Integration: the live kernel accepts an unprivileged PSI trigger on kernels >= 6.4.
TEST(PressureMonitorLive, InstallsKernelTrigger) {
    if (!readWholeFile("/proc/pressure/memory")) GTEST_SKIP() << "kernel without PSI";
    PressureMonitor monitor([](PressureLevel) {});
    monitor.start();
    if (!monitor.isMonitoring()) GTEST_SKIP() << "kernel refused the trigger";
    monitor.stop();
    EXPECT_FALSE(monitor.isMonitoring());
}

} // namespace
} // namespace corvane
