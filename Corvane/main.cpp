#include "DesktopShell.h"
#include "SnapshotRenderer.h"
#include "app/DebugEnv.h"
#include "app/DemoServices.h"
#include "app/DisplayChoice.h"
#include "app/LiveServices.h"
#include "app/linux/SystemMonitorCommand.h"
#include "app/linux/XdgAutostartEntry.h"
#include "apps/WindowFacts.h"
#include "cli/CommandLine.h"
#include "cli/StandardOutput.h"
#include "cli/WatchCommand.h"
#include "cli/report/Report.h"
#include "memory/VerdictMaker.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>

namespace {

using namespace corvane;

int printReport(const CommandLine& line) {
    const AppModel::Services services = line.mock ? demoServices(*line.mock) : liveServices();
    if (services.activity) services.activity->start();
    ReportData data;
    data.snapshot = services.provider->memorySnapshot();
    data.verdict = VerdictMaker::make(data.snapshot);
    // Demonstration data has its window facts; the window system is not asked.
    data.apps = AppsReport{services.provider->topAppGroups(30), line.mock || readWindowFacts().has_value()};
    if (line.disk) data.disk = services.diskAdvisors->advisor(services.running->runningIDs())->scan();
    data.ai = services.ai->statuses();
    return printToStandardOutput(line.json ? reportJson(data) : reportText(data));
}

int startDesktop(int argc, char** argv, const CommandLine& line, const DisplayFacts& facts,
                 const DisplayChoice& display) {
    if (display.platform) ::setenv("QT_QPA_PLATFORM", display.platform->c_str(), 1);
    const DebugEnv::Environment& env = DebugEnv::env();
    DesktopParts parts;
    parts.makeModel = [mock = line.mock](std::shared_ptr<MainExecutor> main, std::shared_ptr<PreferenceStore> prefs,
                                         std::function<bool()> lowPowerMode) {
        if (mock) return makeDemoModel(*mock, std::move(main), std::move(prefs));
        return makeLiveModel(std::move(main), std::move(prefs), std::move(lowPowerMode));
    };
    parts.loginItem =
        std::make_shared<XdgAutostartEntry>(XdgAutostartEntry::defaultFolder(), XdgAutostartEntry::runningExecutable());
    parts.systemMonitorCommand = [] { return systemMonitorCommand(isOnSearchPath); };
    parts.returnFreeMemory = returnFreeMemoryToSystem;
    parts.answerSecondLaunch = !env.contains("CORVANE_ALLOW_SECOND");
    parts.warmUp = !env.contains("CORVANE_NOWARM");
    parts.makePreviewModel = [](std::shared_ptr<MainExecutor> main, std::shared_ptr<PreferenceStore> prefs) {
        return makeDemoModel(MockMode::warn, std::move(main), std::move(prefs), true);
    };
    parts.session = facts.session;
    parts.realAlerts = !DebugEnv::island(env) && !DebugEnv::stress(env);
    parts.traceIsland = env.contains("CORVANE_TRACE");
    parts.hiddenIslandTest = env.contains("CORVANE_STRESS_HIDDEN");
    parts.islandDemonstration = DebugEnv::island(env);
    parts.islandHold = DebugEnv::islandHold(env);
    parts.stressSteps = DebugEnv::stress(env);
    parts.stressSeed = DebugEnv::stressSeed(env);
    // A demonstration runs beside the real copy.
    const bool handOff = !line.mock && parts.answerSecondLaunch;
    return runDesktop(argc, argv, std::move(parts), handOff);
}

/// The demonstration situations the snapshots show, each with and without AI sessions; the
/// warning one with AI sessions is drawn hovered too.
std::vector<SnapshotScene> snapshotScenes() {
    std::vector<SnapshotScene> scenes;
    for (const auto& named : {std::pair{MockMode::ok, "ok"}, {MockMode::warn, "warn"}, {MockMode::bad, "bad"}}) {
        const MockMode mode = named.first;
        for (const bool ai : {false, true}) {
            SnapshotScene scene;
            scene.name = std::string(named.second) + (ai ? "-ai" : "");
            scene.makeModel = [mode, ai](std::shared_ptr<MainExecutor> main, std::shared_ptr<PreferenceStore> prefs) {
                return makeDemoModel(mode, std::move(main), std::move(prefs), ai);
            };
            scene.hovered = mode == MockMode::warn && ai;
            scenes.push_back(std::move(scene));
        }
    }
    return scenes;
}

} // namespace

int main(int argc, char** argv) {
    if (!guardStandardDescriptors()) return outputFailed(std::strerror(EBADF));
    std::string error;
    const auto line = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!line) {
        std::cerr << "corvane: " << error << "\n" << usageText();
        return 2;
    }
    if (line->help) return printToStandardOutput(usageText());
    if (line->snapshot) return renderSnapshots(argc, argv, *line->snapshot, snapshotScenes());
    if (line->bar) return runBar(*line->bar, line->mock);
    if (line->watch) return runWatch(line->json ? WatchFormat::json : WatchFormat::text, line->mock);
    if (line->desktop()) {
        const DisplayFacts facts = currentDisplayFacts();
        const DisplayChoice display = chooseDisplay(facts);
        if (display.reachable) return startDesktop(argc, argv, *line, facts, display);
        std::cerr << "corvane: 没有可用的图形显示，改为打印一次报告。\n";
    }
    return printReport(*line);
}
