#pragma once

#include "apps/ProcessTree.h"

#include <optional>
#include <string_view>

namespace corvane {

/// The lineage in the text of /proc/PID/stat: the command name sits between the first "(" and
/// the last ")" (it may hold spaces and parentheses); after it come state, parent, process group,
/// session and tty_nr. A tty of 0 or all bits set is absent. Absent when the text is malformed.
std::optional<ProcessLineage> parseProcStat(std::string_view text);

} // namespace corvane
