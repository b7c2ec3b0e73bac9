#include "ResidentMemory.h"

#include <unistd.h>

#include <fstream>

namespace corvane {

std::optional<std::uint64_t> comparableResidentMemory() {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    // Freed blocks stay in quarantine (AddressSanitizer) and shadow memory never shrinks: resident
    // memory only grows. LeakSanitizer checks the heap at exit instead.
    return std::nullopt;
#else
    // The second field of statm: resident pages.
    std::ifstream statm("/proc/self/statm");
    std::uint64_t size = 0;
    std::uint64_t resident = 0;
    if (!(statm >> size >> resident)) return std::nullopt;
    return resident * static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
#endif
}

} // namespace corvane
