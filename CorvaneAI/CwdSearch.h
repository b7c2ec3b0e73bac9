#pragma once

#include <optional>
#include <string>
#include <string_view>

/// The search for the working directory in a Codex session's first line, done without a JSON
/// parse and without a general regular-expression engine.
namespace corvane::CwdSearch {

/// `bytes` as UTF-8 with every maximal ill-formed subsequence replaced by U+FFFD.
std::string repairUtf8(std::string_view bytes);

/// The first match, scanning from the left, of the pattern `"cwd"\s*:\s*"((?:[^"\\]|\\.)*)"` with
/// Unicode semantics (`\s` is any White_Space character; `.` is any character but a line
/// terminator: U+000A to U+000D, U+0085, U+2028, U+2029) over well-formed UTF-8 `text`; returns
/// capture group 1, still escaped. Linear in the length of `text`.
std::optional<std::string_view> findCwdValue(std::string_view text);

} // namespace corvane::CwdSearch
