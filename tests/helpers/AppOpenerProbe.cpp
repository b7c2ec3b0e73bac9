// Runs the system application opener once, in a process of its own: GLib reads the desktop entry
// folders once per process, so each test of the opener needs a fresh process.
//
//   app_opener_probe open URL HOST
//   app_opener_probe activate HOST
//
// Exits 0 when the opener reported success, 1 when it reported failure, 2 on a usage error.
#include "apps/SystemAppOpener.h"

#include <string>

int main(int argc, char** argv) {
    using namespace corvane;
    const std::string command = argc > 1 ? argv[1] : "";
    bool success = false;
    const auto report = [&](bool ok) { success = ok; };
    if (command == "open" && argc == 4) {
        makeSystemAppOpener()->open(argv[2], argv[3], report);
    } else if (command == "activate" && argc == 3) {
        makeSystemAppOpener()->activate(argv[2], report);
    } else {
        return 2;
    }
    return success ? 0 : 1;
}
