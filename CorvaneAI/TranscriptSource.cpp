#include "TranscriptSource.h"

#include "support/PathText.h"

namespace corvane {

bool TranscriptSource::reusable(const FileInfo&) const {
    return true;
}

std::string sessionID(std::string_view path) {
    std::string_view name = lastPathComponent(path);
    if (name.ends_with(".zst")) name.remove_suffix(4);
    if (name.ends_with(".jsonl")) name.remove_suffix(6);
    return std::string(name);
}

std::optional<std::string> projectOfDirectory(const std::optional<std::string>& directory) {
    if (!directory || directory->empty()) return std::nullopt;
    const std::string_view last = lastPathComponent(*directory);
    if (last.empty()) return std::nullopt;
    return std::string(last);
}

} // namespace corvane
