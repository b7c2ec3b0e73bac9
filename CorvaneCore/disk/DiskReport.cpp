#include "disk/DiskReport.h"

namespace corvane {

std::uint64_t DiskReport::reclaimableBytes() const {
    std::uint64_t sum = 0;
    for (const DiskItem& item : items) {
        if (item.isActionable()) sum += item.bytes;
    }
    return sum;
}

double DiskReport::freeFraction() const {
    if (totalBytes == 0) return 0;
    return static_cast<double>(freeBytes) / static_cast<double>(totalBytes);
}

} // namespace corvane
