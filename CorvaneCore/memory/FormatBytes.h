#pragma once

#include <cstdint>
#include <string>

namespace corvane {

/// A byte count for people, in binary units labelled "GB" and "MB": whole GB from 10 GiB up,
/// one decimal from 1 GiB, otherwise whole MB ("12 GB", "1.5 GB", "300 MB", "0 MB").
std::string formatBytes(std::uint64_t bytes);

} // namespace corvane
