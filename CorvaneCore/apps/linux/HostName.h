#pragma once

#include <string>

namespace corvane {

/// This machine's host name as gethostname reports it; empty when it cannot be read.
std::string hostName();

} // namespace corvane
