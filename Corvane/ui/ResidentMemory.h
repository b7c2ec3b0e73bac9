#pragma once

#include <cstdint>
#include <optional>

namespace corvane {

/// This process's resident memory in bytes, when it tells whether memory leaks: absent when it
/// cannot be read, and in builds whose allocator keeps freed memory on purpose
/// (AddressSanitizer's quarantine). Any thread.
std::optional<std::uint64_t> comparableResidentMemory();

} // namespace corvane
