#include "TailWindow.h"

#include "FileTail.h"

namespace corvane::TailWindow {

std::optional<TailResult> observe(const std::string& path, std::uint64_t knownSize, const Parser& parse) {
    std::size_t maxBytes = initialBytes;
    for (;;) {
        const auto tail = FileTail::readLines(path, maxBytes);
        if (!tail) return std::nullopt;
        TailResult result = parse(tail->lines, tail->mtime);
        if (result.state != RawState::unknown || maxBytes > maximumBytes - 1 || maxBytes >= knownSize) return result;
        maxBytes = maxBytes * 2 < maximumBytes - 1 ? maxBytes * 2 : maximumBytes;
    }
}

} // namespace corvane::TailWindow
