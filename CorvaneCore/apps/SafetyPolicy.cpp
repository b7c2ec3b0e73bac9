#include "apps/SafetyPolicy.h"

#include <algorithm>
#include <map>
#include <set>

namespace corvane {

namespace {

constexpr int kMaxWalk = 64;
constexpr const char* kDisplayOnly = "（只展示，不可操作）";

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool coversIdentifier(const std::string& identifier, const std::string& entry) {
    return identifier == entry ||
           (identifier.size() > entry.size() && identifier.compare(0, entry.size(), entry) == 0 &&
            identifier[entry.size()] == '.');
}

/// Remembers the lineages read during one classification: members share their ancestors, so
/// the walks would otherwise read the same /proc entries many times.
class MemoizedTree {
public:
    explicit MemoizedTree(const ProcessTreeProviding& tree) : tree_(tree) {}

    std::optional<ProcessLineage> lineage(std::int32_t pid) {
        auto [it, inserted] = seen_.try_emplace(pid);
        if (inserted) it->second = tree_.lineage(pid);
        return it->second;
    }

private:
    const ProcessTreeProviding& tree_;
    std::map<std::int32_t, std::optional<ProcessLineage>> seen_;
};

} // namespace

struct SafetyPolicy::Relations {
    std::set<std::int32_t> ancestors;
    std::optional<std::uint32_t> tty;
    std::optional<std::int32_t> processGroup;
    mutable MemoizedTree tree;
};

SafetyPolicy::SafetyPolicy(std::int32_t selfPID) : SafetyPolicy(selfPID, std::make_shared<SystemProcessTree>()) {}

SafetyPolicy::SafetyPolicy(std::int32_t selfPID, std::shared_ptr<const ProcessTreeProviding> tree)
    : selfPID_(selfPID), tree_(std::move(tree)) {}

const std::vector<SafetyRule>& SafetyPolicy::effectiveProtectedRules() {
    static const std::vector<SafetyRule> rules =
        SafetyRules::merged(SafetyRules::protectedRules(), SafetyRules::linuxProtectedRules());
    return rules;
}

const std::vector<SafetyRule>& SafetyPolicy::effectiveCautionRules() {
    static const std::vector<SafetyRule> rules =
        SafetyRules::merged(SafetyRules::cautionRules(), SafetyRules::linuxCautionRules());
    return rules;
}

std::optional<SafetyRule> SafetyPolicy::match(const AppGroup& group, const std::vector<SafetyRule>& table) {
    const std::string name = lowered(group.name);
    const std::optional<std::string> identifier =
        group.bundleID ? std::optional<std::string>(lowered(*group.bundleID)) : std::nullopt;
    const std::string id = lowered(group.id);
    for (const SafetyRule& rule : table) {
        if (identifier && std::any_of(rule.bundlePrefixes.begin(), rule.bundlePrefixes.end(),
                                      [&](const std::string& p) { return coversIdentifier(*identifier, lowered(p)); })) {
            return rule;
        }
        if (std::find(rule.execNames.begin(), rule.execNames.end(), name) != rule.execNames.end()) return rule;
        if (!identifier && std::find(rule.execNames.begin(), rule.execNames.end(), id) != rule.execNames.end()) {
            return rule;
        }
    }
    return std::nullopt;
}

SafetyPolicy::Relations SafetyPolicy::relations(const ProcessTreeProviding& tree) const {
    Relations r{{}, std::nullopt, std::nullopt, MemoizedTree(tree)};
    if (const auto own = r.tree.lineage(selfPID_)) {
        r.tty = own->tty;
        if (own->processGroup >= 2) r.processGroup = own->processGroup;
    }
    std::int32_t current = selfPID_;
    for (int step = 0; step < kMaxWalk; ++step) {
        const auto lineage = r.tree.lineage(current);
        if (!lineage || lineage->parent < 2) break;
        r.ancestors.insert(lineage->parent);
        current = lineage->parent;
    }
    return r;
}

std::optional<std::string> SafetyPolicy::selfRelationReason(const AppGroup& group, const Relations& r) const {
    if (std::find(group.pids.begin(), group.pids.end(), selfPID_) != group.pids.end()) {
        return "这就是本工具自己，已锁定";
    }
    for (const std::int32_t pid : group.pids) {
        if (r.ancestors.count(pid) != 0) return "它启动了本工具，已锁定";
        std::int32_t current = pid;
        for (int step = 0; step < kMaxWalk; ++step) {
            const auto lineage = r.tree.lineage(current);
            if (!lineage) break;
            if (lineage->parent == selfPID_) return "由本工具启动，已锁定";
            if (lineage->parent < 2) break;
            current = lineage->parent;
        }
        const auto own = r.tree.lineage(pid);
        if (!own) continue;
        if (r.tty && own->tty && *r.tty == *own->tty) return "和本工具在同一个终端会话里，已锁定";
        if (r.processGroup && own->processGroup == *r.processGroup) return "和本工具属于同一组任务，已锁定";
    }
    return std::nullopt;
}

SafetyVerdict SafetyPolicy::verdict(const AppGroup& group, const Relations& r) const {
    SafetyVerdict strictest = ownVerdict(group, r);
    for (const std::string& identity : group.memberIdentities) {
        AppGroup asMember = group;
        asMember.bundleID = identity;
        asMember.id = identity;
        asMember.memberIdentities.clear();
        strictest = SafetyVerdict::strictest(strictest, ownVerdict(asMember, r));
    }
    return strictest;
}

SafetyVerdict SafetyPolicy::ownVerdict(const AppGroup& group, const Relations& r) const {
    const auto lockedReason = [&](std::string reason) {
        if (!group.isRegularApp) reason += kDisplayOnly;
        return SafetyVerdict::locked(std::move(reason));
    };
    if (auto reason = selfRelationReason(group, r)) return lockedReason(std::move(*reason));
    if (auto rule = match(group, effectiveProtectedRules())) return lockedReason(rule->reason);
    if (!group.isRegularApp) return SafetyVerdict::locked("后台或系统进程，只展示，不可操作");
    if (auto rule = match(group, effectiveCautionRules())) return SafetyVerdict::caution(rule->reason);
    if (group.idleSeconds && *group.idleSeconds < recentlyUsedSeconds) {
        return SafetyVerdict::caution(*group.idleSeconds == 0 ? "你正在使用它，退出前请确认已保存"
                                                              : "你刚刚还在使用它，退出前请确认已保存");
    }
    if (group.footprintBytes >= largeUnknownFootprint) {
        return SafetyVerdict::caution("占用很大但用途不明，退出前请确认里面没有未完成的工作");
    }
    return SafetyVerdict::canQuit();
}

std::vector<AppGroup> SafetyPolicy::classify(std::vector<AppGroup> groups) const {
    return classify(std::move(groups), *tree_);
}

std::vector<AppGroup> SafetyPolicy::classify(std::vector<AppGroup> groups, const ProcessTreeProviding& tree) const {
    const Relations r = relations(tree);
    for (AppGroup& group : groups) group.safety = verdict(group, r);
    return groups;
}

} // namespace corvane
