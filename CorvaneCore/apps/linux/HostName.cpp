#include "apps/linux/HostName.h"

#include <unistd.h>

#include <array>

namespace corvane {

std::string hostName() {
    std::array<char, 256> name{};
    if (::gethostname(name.data(), name.size() - 1) != 0) return {};
    return name.data();
}

} // namespace corvane
