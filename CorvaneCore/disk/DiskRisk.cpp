#include "disk/DiskRisk.h"

namespace corvane {

std::string_view rawValue(DiskRisk risk) {
    return risk == DiskRisk::confirm ? "confirm" : "safe";
}

std::optional<DiskRisk> diskRiskFromRaw(std::string_view raw) {
    for (auto risk : {DiskRisk::safe, DiskRisk::confirm}) {
        if (rawValue(risk) == raw) return risk;
    }
    return std::nullopt;
}

} // namespace corvane
