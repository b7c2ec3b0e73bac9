#include "apps/RunningApplicationIDs.h"
#include "apps/SystemAppScanner.h"
#include "AIWatcher.h"
#include "cli/CommandLine.h"
#include "cli/StandardOutput.h"
#include "cli/WatchCommand.h"
#include "disk/SystemDiskAdvisor.h"
#include "memory/SystemMemoryProvider.h"
#include "memory/VerdictMaker.h"
#include "report/Report.h"
#include "support/HomeDirectory.h"

#include <cerrno>
#include <cstring>
#include <iostream>

int main(int argc, char** argv) {
    using namespace corvane;
    if (!guardStandardDescriptors()) return outputFailed(std::strerror(EBADF));
    std::string error;
    const auto line = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!line) {
        std::cerr << "corvane: " << error << "\n" << usageText();
        return 2;
    }
    if (line->help) return printToStandardOutput(usageText());
    if (line->watch) return runWatch(line->json ? WatchFormat::json : WatchFormat::text);

    auto activity = std::make_shared<ActivityTracker>(makeSystemFrontmostWatcher());
    activity->start();
    SystemAppScanner::Options apps;
    apps.activity = activity;
    SystemMemoryProvider::Options options;
    options.apps = std::make_shared<SystemAppScanner>(std::move(apps));
    SystemMemoryProvider provider(std::move(options));
    ReportData data;
    data.snapshot = provider.memorySnapshot();
    data.verdict = VerdictMaker::make(data.snapshot);
    data.apps = AppsReport{provider.topAppGroups(30), readWindowFacts().has_value()};
    if (line->disk) data.disk = SystemDiskAdvisor(homeDirectory(), runningApplicationIDs, systemClock()).scan();
    data.ai = AIWatcher().statuses();
    return printToStandardOutput(line->json ? reportJson(data) : reportText(data));
}
