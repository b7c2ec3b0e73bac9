#include "apps/HostApplications.h"

#include <algorithm>

namespace corvane::HostApplications {

namespace {

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

} // namespace

bool isFrontmost(std::string_view hostID, std::string_view frontmost) {
    if (frontmost.empty()) return false;
    if (equalIgnoringCase(hostID, frontmost)) return true;
    const auto known = identities(hostID);
    return std::any_of(known.begin(), known.end(),
                       [&](std::string_view identity) { return equalIgnoringCase(identity, frontmost); });
}

} // namespace corvane::HostApplications
