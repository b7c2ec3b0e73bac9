#pragma once

#include <string>
#include <vector>

namespace corvane {

/// One row of a safety table: the identifiers (or dotted prefixes) and lower-case application
/// or executable names it covers, and the reason shown when it applies.
struct SafetyRule {
    std::vector<std::string> bundlePrefixes;
    std::vector<std::string> execNames;
    std::string reason;

    bool operator==(const SafetyRule&) const = default;
};

namespace SafetyRules {

/// The nine protected rules, in order (first match wins).
const std::vector<SafetyRule>& protectedRules();
/// The one caution rule (browsers).
const std::vector<SafetyRule>& cautionRules();

/// The Linux additions: row i has the reason of row i of `protectedRules()` and covers Linux
/// application identities (desktop IDs and WM_CLASS classes) and executable names.
const std::vector<SafetyRule>& linuxProtectedRules();
/// The Linux additions to the caution rule, with its reason.
const std::vector<SafetyRule>& linuxCautionRules();

/// Row i of `base` widened by row i of `additions` (same reasons, same order); rows that only
/// `base` has are kept as they are.
std::vector<SafetyRule> merged(const std::vector<SafetyRule>& base, const std::vector<SafetyRule>& additions);

} // namespace SafetyRules

} // namespace corvane
