#include "support/ModificationDate.h"

namespace corvane {

Date modificationDate(const struct stat& status) {
    // Exact to the nanosecond: through a double, two writes a few hundred nanoseconds apart
    // would share a date and the parse cache would keep the older observation.
    return Date{} + std::chrono::duration_cast<Date::duration>(std::chrono::seconds(status.st_mtim.tv_sec) +
                                                               std::chrono::nanoseconds(status.st_mtim.tv_nsec));
}

} // namespace corvane
