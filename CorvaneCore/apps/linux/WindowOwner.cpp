#include "apps/linux/WindowOwner.h"

namespace corvane {

namespace {

std::string_view firstLabel(std::string_view name) {
    return name.substr(0, name.find('.'));
}

} // namespace

bool namesHost(std::string_view machine, std::string_view hostName) {
    if (machine.empty() || hostName.empty()) return false;
    if (machine == hostName) return true;
    // Only a bare name matches a qualified one: "box.a.org" and "box.b.org" are two machines.
    const bool machineBare = machine.find('.') == std::string_view::npos;
    const bool hostBare = hostName.find('.') == std::string_view::npos;
    return (machineBare || hostBare) && firstLabel(machine) == firstLabel(hostName);
}

std::optional<std::int32_t> establishedOwner(const WindowOwnerEvidence& evidence, std::string_view hostName) {
    if (evidence.clientMachine && !namesHost(*evidence.clientMachine, hostName)) return std::nullopt;
    if (evidence.serverKnowsClients) return evidence.serverPID;
    if (!evidence.clientMachine) return std::nullopt;
    return evidence.claimedPID;
}

} // namespace corvane
