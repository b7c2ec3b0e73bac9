#pragma once

#include <string>
#include <string_view>

namespace corvane {

/// Text from outside the program (file and folder names, paths, application names and
/// identities, session titles) made safe to print on a terminal, for every place the text output
/// shows such text: each control character (C0 with newline and tab, DEL, the C1 range
/// U+0080–U+009F) appears as "\xNN" with its code point, a backslash as "\\" so that the escaped
/// form stays unambiguous, and each maximal ill-formed UTF-8 subsequence as one U+FFFD. Everything
/// else is kept, so the program's own texts pass unchanged.
std::string terminalSafe(std::string_view text);

} // namespace corvane
