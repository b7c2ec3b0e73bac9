#include "apps/ProcessIdentities.h"

#include <unordered_map>

namespace corvane {

std::vector<std::optional<std::string>> resolveIdentities(
    const std::vector<ScannedProcess>& processes, const std::function<bool(std::int32_t pid)>& ownsWindow,
    const std::function<std::optional<std::string>(std::int32_t pid)>& ownIdentity) {
    const std::size_t count = processes.size();
    std::unordered_map<std::int32_t, std::size_t> indexOf;
    indexOf.reserve(count);
    for (std::size_t i = 0; i < count; ++i) indexOf.emplace(processes[i].pid, i);

    const auto sameProgramParent = [&](std::size_t i) -> std::optional<std::size_t> {
        const ScannedProcess& process = processes[i];
        if (!process.parent || ownsWindow(process.pid)) return std::nullopt;
        const auto parent = indexOf.find(*process.parent);
        if (parent == indexOf.end() || processes[parent->second].executablePath != process.executablePath) {
            return std::nullopt;
        }
        return parent->second;
    };

    enum class State : char { open, onPath, resolved };
    std::vector<State> state(count, State::open);
    std::vector<std::optional<std::string>> identities(count);
    std::vector<std::size_t> path;
    for (std::size_t start = 0; start < count; ++start) {
        // Walk up through same-program parents to the first process that answers for itself
        // (or is already resolved); a loop, possible only with identifiers reused mid-scan,
        // answers for itself where it closes.
        path.clear();
        std::size_t at = start;
        while (state[at] == State::open) {
            state[at] = State::onPath;
            path.push_back(at);
            const auto parent = sameProgramParent(at);
            if (!parent) break;
            at = *parent;
        }
        const std::optional<std::string> identity =
            state[at] == State::resolved ? identities[at] : ownIdentity(processes[at].pid);
        for (const std::size_t i : path) {
            identities[i] = identity;
            state[i] = State::resolved;
        }
    }
    return identities;
}

} // namespace corvane
