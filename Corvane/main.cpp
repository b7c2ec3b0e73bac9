#include "app/DemoServices.h"
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
    if (line->watch) return runWatch(line->json ? WatchFormat::json : WatchFormat::text, line->mock);

    const AppModel::Services services = line->mock ? demoServices(*line->mock) : liveServices();
    if (services.activity) services.activity->start();
    ReportData data;
    data.snapshot = services.provider->memorySnapshot();
    data.verdict = VerdictMaker::make(data.snapshot);
    // Demonstration data has its window facts; the window system is not asked.
    data.apps = AppsReport{services.provider->topAppGroups(30), line->mock || readWindowFacts().has_value()};
    if (line->disk) data.disk = services.diskAdvisors->advisor(services.running->runningIDs())->scan();
    data.ai = services.ai->statuses();
    return printToStandardOutput(line->json ? reportJson(data) : reportText(data));
}
