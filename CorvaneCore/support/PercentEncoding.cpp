#include "support/PercentEncoding.h"

namespace corvane {

std::string percentEncoded(std::string_view text, std::string_view alsoKept) {
    static constexpr char hexDigits[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : text) {
        const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                                c == '-' || c == '_' || c == '.' || c == '~' ||
                                alsoKept.find(c) != std::string_view::npos;
        if (unreserved) {
            encoded += c;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            encoded += '%';
            encoded += hexDigits[byte >> 4];
            encoded += hexDigits[byte & 0x0F];
        }
    }
    return encoded;
}

} // namespace corvane
