#pragma once

#include "apps/AppGroup.h"
#include "apps/ProcessTree.h"
#include "apps/SafetyRule.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace corvane {

/// Judges application groups: the program itself and every process related to it are locked,
/// then the protected rules, then every non-regular group; browsers, recently used and very large
/// applications get a caution. A group holding processes of several applications is never judged
/// more mildly than under any one of their identities. Holds no mutable state; any thread.
class SafetyPolicy {
public:
    /// An application front-most less than this long ago counts as in use.
    static constexpr double recentlyUsedSeconds = 300;
    /// At or above this footprint an otherwise unremarkable application gets a caution.
    static constexpr std::uint64_t largeUnknownFootprint = 2147483648ULL;

    /// Judges with the live process table.
    explicit SafetyPolicy(std::int32_t selfPID);
    /// Judges with any process-tree reader.
    SafetyPolicy(std::int32_t selfPID, std::shared_ptr<const ProcessTreeProviding> tree);

    /// The same groups in the same order, each with its `safety` set.
    std::vector<AppGroup> classify(std::vector<AppGroup> groups) const;
    /// The same, reading lineages from `tree` instead of the policy's own reader (a snapshot of
    /// the same process table).
    std::vector<AppGroup> classify(std::vector<AppGroup> groups, const ProcessTreeProviding& tree) const;

    /// The first rule of `table` that covers `group`: its identifier equals an entry or starts
    /// with entry + "." (case-insensitive), or its lower-cased name is an executable name, or
    /// (without identifier) its lower-cased id is one. None when no rule covers it.
    static std::optional<SafetyRule> match(const AppGroup& group, const std::vector<SafetyRule>& table);

    /// The protected table in force: the bundle-identifier rows widened by the Linux additions.
    static const std::vector<SafetyRule>& effectiveProtectedRules();
    /// The caution table in force.
    static const std::vector<SafetyRule>& effectiveCautionRules();

    /// The program's own process and the policy's own lineage reader.
    std::int32_t selfPID() const { return selfPID_; }
    const ProcessTreeProviding& tree() const { return *tree_; }

private:
    struct Relations;

    Relations relations(const ProcessTreeProviding& tree) const;
    std::optional<std::string> selfRelationReason(const AppGroup& group, const Relations& relations) const;
    /// The strictest of the group's own verdict and its verdicts under each member identity.
    SafetyVerdict verdict(const AppGroup& group, const Relations& relations) const;
    SafetyVerdict ownVerdict(const AppGroup& group, const Relations& relations) const;

    std::int32_t selfPID_;
    std::shared_ptr<const ProcessTreeProviding> tree_;
};

} // namespace corvane
