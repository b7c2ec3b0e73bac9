#include "cli/report/TerminalText.h"

#include "support/Utf8.h"

#include <cstdio>

namespace corvane {

std::string terminalSafe(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    appendRepairedUtf8(out, text, [](std::string& to, char32_t c) {
        if (c == '\\') {
            to += "\\\\";
            return true;
        }
        if (!isControlCharacter(c)) return false;
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned>(c));
        to += escaped;
        return true;
    });
    return out;
}

} // namespace corvane
