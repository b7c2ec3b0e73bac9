#include "LineBuffer.h"

#include <simdjson.h>

#include <cstring>

namespace corvane {

const std::size_t LineBuffer::padding = simdjson::SIMDJSON_PADDING;

LineBuffer::LineBuffer(std::string_view text) : bytes_(text.size() + padding, '\0') {
    if (!text.empty()) std::memcpy(bytes_.data(), text.data(), text.size());
    split(text.size());
}

LineBuffer::LineBuffer(std::vector<char> bytes, std::size_t length) : bytes_(std::move(bytes)) {
    if (bytes_.size() < length + padding) bytes_.resize(length + padding, '\0');
    split(length);
}

void LineBuffer::split(std::size_t length) {
    const char* data = bytes_.data();
    std::size_t start = 0;
    while (start < length) {
        const void* found = std::memchr(data + start, '\n', length - start);
        const std::size_t end = found != nullptr ? static_cast<std::size_t>(static_cast<const char*>(found) - data) : length;
        if (end > start) lines_.emplace_back(data + start, end - start);
        start = end + 1;
    }
}

void LineBuffer::dropFirst() {
    if (!lines_.empty()) lines_.erase(lines_.begin());
}

} // namespace corvane
