#pragma once

#include "disk/Trashing.h"

namespace corvane {

/// Moves files to the desktop's Trash (on Linux the freedesktop.org Trash of the file's volume,
/// restorable by any file manager). Stateless; thread-safe.
class FinderTrasher : public Trashing {
public:
    bool trash(const std::string& path) override;
};

} // namespace corvane
