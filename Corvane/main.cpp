#include "app/LiveServices.h"
#include "apps/WindowFacts.h"
#include "cli/CommandLine.h"
#include "cli/StandardOutput.h"
#include "cli/WatchCommand.h"
#include "cli/report/Report.h"
#include "memory/VerdictMaker.h"

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

    const AppModel::Services live = liveServices();
    live.activity->start();
    ReportData data;
    data.snapshot = live.provider->memorySnapshot();
    data.verdict = VerdictMaker::make(data.snapshot);
    data.apps = AppsReport{live.provider->topAppGroups(30), readWindowFacts().has_value()};
    if (line->disk) data.disk = live.diskAdvisors->advisor(live.running->runningIDs())->scan();
    data.ai = live.ai->statuses();
    return printToStandardOutput(line->json ? reportJson(data) : reportText(data));
}
