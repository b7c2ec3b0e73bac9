#pragma once

#include "cli/WatchPrinter.h"

namespace corvane {

/// Runs the live model headless on a plain loop until SIGINT or SIGTERM, printing to standard
/// output; a failed write ends it early with a message on standard error. Returns the process
/// exit status: 0 after a clean stop, 1 after a failed write.
int runWatch(WatchFormat format);

} // namespace corvane
