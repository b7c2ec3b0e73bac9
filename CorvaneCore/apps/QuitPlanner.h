#pragma once

#include "apps/AppGroup.h"
#include "apps/AppTerminating.h"
#include "apps/QuitReport.h"

#include <optional>
#include <string>
#include <vector>

namespace corvane::QuitPlanner {

/// An application must have been away from the front this long to be suggested.
inline constexpr double idleThreshold = 7200;
/// At most this many groups are suggested.
inline constexpr int maxDefaultSelection = 3;

/// The groups worth pre-selecting: none on a first run; otherwise regular, `canQuit`, idle for at
/// least `idleThreshold`, without a risk note; largest first (stable), at most three.
std::vector<AppGroup> suggested(const std::vector<AppGroup>& groups, bool firstRun);

/// The warning for well-known chat, design and media applications (first matching identifier
/// prefix, the bundle-identifier table first, then Linux identities of the same applications); none
/// without an identifier or a match.
std::optional<std::string> riskNote(const AppGroup& group);

/// Asks every member of every eligible group to quit (all members are asked); protected and
/// non-regular groups are skipped untouched.
QuitReport quit(const std::vector<AppGroup>& groups, AppTerminating& terminator);

} // namespace corvane::QuitPlanner
