#include "memory/FormatBytes.h"

#include <cstdio>

namespace corvane {

std::string formatBytes(std::uint64_t bytes) {
    const double gib = static_cast<double>(bytes) / 1073741824.0;
    char text[48];
    if (gib >= 10.0) {
        std::snprintf(text, sizeof text, "%.0f GB", gib);
    } else if (gib >= 1.0) {
        std::snprintf(text, sizeof text, "%.1f GB", gib);
    } else {
        std::snprintf(text, sizeof text, "%.0f MB", static_cast<double>(bytes) / 1048576.0);
    }
    return text;
}

} // namespace corvane
