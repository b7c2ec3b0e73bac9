#pragma once

#include <set>
#include <string>

namespace corvane {

/// The application identities of every running process this user may inspect: desktop IDs of
/// the application units processes run in, and the window classes of client windows. Reads the
/// live process table and window system; empty when neither says anything. Any thread.
std::set<std::string> runningApplicationIDs();

} // namespace corvane
