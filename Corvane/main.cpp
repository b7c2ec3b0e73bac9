#include "AIWatcher.h"
#include "cli/CommandLine.h"
#include "memory/SystemMemoryProvider.h"
#include "memory/VerdictMaker.h"
#include "report/Report.h"

#include <cstdio>
#include <iostream>

int main(int argc, char** argv) {
    using namespace corvane;
    std::string error;
    const auto line = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!line) {
        std::cerr << "corvane: " << error << "\n" << usageText();
        return 2;
    }
    if (line->help) {
        std::cout << usageText();
        return 0;
    }

    SystemMemoryProvider provider;
    ReportData data;
    data.snapshot = provider.memorySnapshot();
    data.verdict = VerdictMaker::make(data.snapshot);
    data.ai = AIWatcher().statuses();
    std::cout << (line->json ? reportJson(data) : reportText(data)) << std::flush;
    return 0;
}
