#pragma once

#include "support/Date.h"

#include <sys/stat.h>

namespace corvane {

/// The modification time of a file status: whole seconds plus nanoseconds.
Date modificationDate(const struct stat& status);

} // namespace corvane
