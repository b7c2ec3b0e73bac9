#pragma once

#include "app/MockMode.h"
#include "cli/StatusBarLine.h"
#include "cli/WatchPrinter.h"

#include <optional>

namespace corvane {

/// Runs the live model (the demonstration model of `mock` when given) headless on a plain loop
/// until SIGINT or SIGTERM, printing each notice and level change to standard output; a failed
/// write ends it early with a message on standard error. Returns the process exit status: 0 after
/// a clean stop, 1 after a failed write.
int runWatch(WatchFormat format, std::optional<MockMode> mock = std::nullopt);

/// Runs the model as `runWatch` does, printing a line for a status bar each time what the bar
/// shows changes. Standard output closing (the bar has gone) ends it quietly with status 0; any
/// other failed write as `runWatch`.
int runBar(BarFormat format, std::optional<MockMode> mock = std::nullopt);

} // namespace corvane
