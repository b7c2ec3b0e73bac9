#include "cli/CommandLine.h"

#include "cli/report/TerminalText.h"

namespace corvane {

std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& arguments, std::string& error) {
    CommandLine line;
    line.mock = mockModeFromArguments(arguments);
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--mock") {
            ++i; // its value: the first one was read above, and an unknown one means a normal run
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
    return "usage: corvane [--report [--disk] [--json] | --report --watch [--json]] [--mock MODE]\n"
           "  --report   print one memory and disk report and exit (the default for now)\n"
           "  --disk     also scan the cache folders under the home folder (takes a few seconds)\n"
           "  --json     print the report as one JSON object (with --watch: one object a line)\n"
           "  --watch    run the live monitor until interrupted, printing each notice\n"
           "  --mock MODE  show canned demonstration data (MODE: ok, warn or bad) instead of this machine's\n"
           "  --help     show this text\n";
}

} // namespace corvane
