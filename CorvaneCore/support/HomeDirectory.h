#pragma once

#include <optional>
#include <string>

namespace corvane {

/// The current user's home folder: `$HOME` when it is an absolute path, else (unset, empty or
/// relative) the password database's entry for the real user id, else "/". Every reader of the
/// home folder goes through here, so a relative `$HOME` never makes one part of the program look
/// somewhere other than the rest. Never ends in a slash unless it is "/".
std::string homeDirectory();

/// The value of the environment variable `name` when it is an absolute path; absent when it is
/// unset, empty or relative (the XDG base directory rule, which `homeDirectory` follows too).
std::optional<std::string> absolutePathFromEnvironment(const char* name);

} // namespace corvane
