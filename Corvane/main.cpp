#include "cli/CommandLine.h"
#include "disk/SystemDiskAdvisor.h"
#include "memory/SystemMemoryProvider.h"
#include "memory/VerdictMaker.h"
#include "report/Report.h"
#include "support/HomeDirectory.h"
#include "support/UniqueDir.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <set>

namespace {

// Interim source of the running application identities for the disk scan: the application ID in
// each process's systemd unit ("app[-<launcher>]-<ID>-<random>.scope", "app[-<launcher>]-<ID>@<random>.service").
std::set<std::string> runningAppUnitIDs() {
    std::set<std::string> ids;
    const corvane::UniqueDir proc = corvane::openDirectory("/proc");
    while (const dirent* entry = proc ? ::readdir(proc.get()) : nullptr) {
        if (!std::isdigit(static_cast<unsigned char>(entry->d_name[0]))) continue;
        std::ifstream cgroup(std::string("/proc/") + entry->d_name + "/cgroup");
        std::string line;
        while (std::getline(cgroup, line)) {
            std::string unit = line.substr(line.rfind('/') + 1);
            if (unit.rfind("app-", 0) != 0) continue;
            if (unit.size() > 6 && unit.ends_with(".scope")) {
                unit.erase(unit.size() - 6);
                unit.erase(std::min(unit.rfind('-'), unit.size()));
            } else if (unit.ends_with(".service")) {
                unit.erase(std::min(unit.find('@'), unit.size() - 8));
            } else {
                continue;
            }
            const std::string escaped = unit.substr(unit.rfind('-') + 1);
            std::string id;
            for (std::size_t i = 0; i < escaped.size(); ++i) {
                const bool dash = escaped.compare(i, 4, "\\x2d") == 0;
                id += dash ? '-' : escaped[i];
                if (dash) i += 3;
            }
            if (!id.empty()) ids.insert(id);
        }
    }
    return ids;
}

} // namespace

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
    if (line->disk) data.disk = SystemDiskAdvisor(homeDirectory(), runningAppUnitIDs, systemClock()).scan();
    std::cout << (line->json ? reportJson(data) : reportText(data)) << std::flush;
    return 0;
}
