#include "cli/CommandLine.h"

#include "app/ArgValue.h"
#include "cli/report/TerminalText.h"

namespace corvane {

std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& arguments, std::string& error) {
    CommandLine line;
    line.mock = mockModeFromArguments(arguments);
    line.snapshot = argValue(arguments, "--snapshot");
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--mock" || argument == "--snapshot") {
            ++i; // its value: the first one was read above, and an unknown mode means a normal run
        } else if (argument == "--bar") {
            line.bar = i + 1 < arguments.size() ? barFormatFromRaw(arguments[i + 1]) : std::nullopt;
            if (!line.bar) {
                error = "--bar needs waybar, i3blocks or plain";
                return std::nullopt;
            }
            ++i;
        } else if (argument == "--report") {
            line.report = true;
        } else if (argument == "--json") {
            line.json = true;
        } else if (argument == "--disk") {
            line.disk = true;
        } else if (argument == "--watch") {
            line.watch = true;
        } else if (argument == "--help" || argument == "-h") {
            line.help = true;
        } else {
            error = "unknown option: " + terminalSafe(argument);
            return std::nullopt;
        }
    }
    return line;
}

std::string usageText() {
    return "usage: corvane [--report [--disk] [--json] | --report --watch [--json] | --bar FORMAT] [--mock MODE] | "
           "--snapshot DIR\n"
           "  (no option) start the desktop program in the tray; without a display, print the report\n"
           "  --report   print one memory and disk report and exit\n"
           "  --disk     also scan the cache folders under the home folder (takes a few seconds)\n"
           "  --json     print the report as one JSON object (with --watch: one object a line)\n"
           "  --watch    run the live monitor until interrupted, printing each notice\n"
           "  --bar FORMAT  run the live monitor for a status bar, printing a line each time it changes\n"
           "             (FORMAT: waybar, i3blocks or plain)\n"
           "  --mock MODE  show canned demonstration data (MODE: ok, warn or bad) instead of this machine's\n"
           "  --snapshot DIR  render the dashboard, notices, tray icon and settings as images into DIR\n"
           "  --help     show this text\n";
}

} // namespace corvane
