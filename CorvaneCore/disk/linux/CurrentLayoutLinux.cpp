#include "disk/DiskLayout.h"

namespace corvane {

const DiskLayout& currentLayout() {
    return linuxLayout();
}

} // namespace corvane
