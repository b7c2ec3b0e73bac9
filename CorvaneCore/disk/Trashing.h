#pragma once

#include <string>

namespace corvane {

/// Moves files to the user's Trash.
class Trashing {
public:
    virtual ~Trashing() = default;
    /// Moves the file or folder at the absolute `path` to the Trash. True only when it left its
    /// place; false on any failure (nothing is thrown, nothing is deleted).
    virtual bool trash(const std::string& path) = 0;
};

} // namespace corvane
