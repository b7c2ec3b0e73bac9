#pragma once

#include "app/MockMode.h"
#include "cli/StatusBarLine.h"

#include <optional>
#include <string>
#include <vector>

namespace corvane {

/// What the command line asks for.
struct CommandLine {
    bool report{false};
    bool json{false};
    /// Scan the cache folders under the home folder and add them to the report.
    bool disk{false};
    /// Run the live model until interrupted, printing each notice and change of level.
    bool watch{false};
    bool help{false};
    /// "--bar FORMAT": run the live model headless, printing a line for a status bar on each change.
    std::optional<BarFormat> bar;
    /// "--mock MODE": canned demonstration data in place of the machine's; absent normally and
    /// for a value that names no mode.
    std::optional<MockMode> mock;
    /// "--snapshot DIR": render the snapshot images into DIR and exit; absent without a following
    /// argument.
    std::optional<std::string> snapshot;

    /// No terminal job was asked for: start the desktop program.
    bool desktop() const { return !report && !json && !disk && !watch && !help && !snapshot && !bar; }
};

/// Parses the arguments after the program name. Absent (with `error` set to a message naming the
/// offending argument) for anything unknown, including a bar format other than the three.
std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& arguments, std::string& error);

/// The usage text.
std::string usageText();

} // namespace corvane
