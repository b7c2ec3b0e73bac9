#pragma once

#include <set>
#include <string>

namespace corvane {

/// The application identities of every running process this user may inspect: desktop IDs of
/// the application units processes run in, the window classes of client windows, and the owner
/// identity of each AI tool whose process runs (by the tool's process name, as the AI watcher
/// tells). Reads the live process table and window system; empty when neither says anything.
/// Any thread.
std::set<std::string> runningApplicationIDs();

} // namespace corvane
