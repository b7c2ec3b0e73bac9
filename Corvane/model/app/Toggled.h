#pragma once

#include <set>
#include <string>

namespace corvane {

/// `ids` with `id` added when `on`, removed otherwise.
inline std::set<std::string> toggled(std::set<std::string> ids, const std::string& id, bool on) {
    if (on) {
        ids.insert(id);
    } else {
        ids.erase(id);
    }
    return ids;
}

} // namespace corvane
