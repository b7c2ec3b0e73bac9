#include "support/RawControl.h"

namespace corvane::test {

std::size_t firstRawControl(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte < 0x20 && byte != '\n') || byte == 0x7F) return i;
        if (byte == 0xC2 && i + 1 < text.size() && (static_cast<unsigned char>(text[i + 1]) & 0xE0) == 0x80) return i;
    }
    return std::string_view::npos;
}

} // namespace corvane::test
