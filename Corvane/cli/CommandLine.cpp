#include "cli/CommandLine.h"

#include "cli/report/TerminalText.h"

namespace corvane {

std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& arguments, std::string& error) {
    CommandLine line;
    for (const std::string& argument : arguments) {
        if (argument == "--report") {
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
    return "usage: corvane [--report [--disk] [--json] | --report --watch [--json]]\n"
           "  --report   print one memory and disk report and exit (the default for now)\n"
           "  --disk     also scan the cache folders under the home folder (takes a few seconds)\n"
           "  --json     print the report as one JSON object (with --watch: one object a line)\n"
           "  --watch    run the live monitor until interrupted, printing each notice\n"
           "  --help     show this text\n";
}

} // namespace corvane
