#pragma once

#include <cstdint>
#include <optional>

namespace corvane {

/// This process's resident memory in bytes, when it tells whether memory leaks: absent when it
/// cannot be read, and in sanitizer builds, whose allocators and shadow memory keep what was
/// freed (AddressSanitizer, ThreadSanitizer). Any thread.
std::optional<std::uint64_t> comparableResidentMemory();

} // namespace corvane
