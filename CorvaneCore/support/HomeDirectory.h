#pragma once

#include <string>

namespace corvane {

/// The current user's home folder: `$HOME` when set and non-empty, else the password database's
/// entry for the real user id, else "/". Never ends in a slash unless it is "/".
std::string homeDirectory();

} // namespace corvane
