#pragma once

#include "TailResult.h"
#include "support/Date.h"

#include <cstdint>
#include <optional>
#include <string>

namespace corvane {

/// A listed transcript file.
struct FileInfo {
    std::string path;
    Date mtime{};
    /// Bytes; 0 when the size could not be read.
    std::uint64_t size{};
};

/// What one read of a transcript found.
struct Observation {
    std::string id;
    TailResult tail;
    std::optional<std::string> project;
};

} // namespace corvane
