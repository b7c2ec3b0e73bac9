#include "apps/SafetyPolicy.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

namespace corvane {
namespace {

/// A process table given as a map from pid to lineage.
class FakeTree final : public ProcessTreeProviding {
public:
    std::optional<ProcessLineage> lineage(std::int32_t pid) const override {
        auto it = table.find(pid);
        return it == table.end() ? std::nullopt : std::optional<ProcessLineage>(it->second);
    }
    std::map<std::int32_t, ProcessLineage> table;
};

constexpr std::int32_t kSelf = 500;
constexpr std::uint32_t kSelfTty = 0x8801;
const std::string kDisplayOnly = "（只展示，不可操作）";

/// launchd(1) → login(100, own group) → terminal app(200) → shell(300, group 300, tty) → corvane(500, group 500, tty)
/// corvane → child(600) → grandchild(601) → great-grandchild(602); unrelated(700).
std::shared_ptr<FakeTree> sampleTree() {
    auto tree = std::make_shared<FakeTree>();
    tree->table = {
        {100, {1, 100, std::nullopt}},     {200, {100, 200, std::nullopt}}, {300, {200, 300, kSelfTty}},
        {kSelf, {300, 500, kSelfTty}},     {600, {kSelf, 600, std::nullopt}}, {601, {600, 601, std::nullopt}},
        {602, {601, 602, std::nullopt}},   {700, {1, 700, std::nullopt}},   {701, {1, 701, 0x8802}},
        {702, {1, kSelf, std::nullopt}},   {703, {1, 703, kSelfTty}},
    };
    return tree;
}

AppGroup group(std::string id, std::vector<std::int32_t> pids, bool regular = true) {
    AppGroup g;
    g.id = id;
    g.name = std::move(id);
    g.pids = std::move(pids);
    g.isRegularApp = regular;
    return g;
}

AppGroup bundled(std::string name, std::string bundleID, std::vector<std::int32_t> pids = {700}, bool regular = true) {
    AppGroup g = group(std::move(name), std::move(pids), regular);
    g.bundleID = bundleID;
    g.id = bundleID;
    return g;
}

SafetyVerdict judge(const AppGroup& g, std::shared_ptr<FakeTree> tree = sampleTree()) {
    return SafetyPolicy(kSelf, std::move(tree)).classify({g}).at(0).safety;
}

/// `g` as last used `idleSeconds` ago, holding `footprint` bytes and covering `members`.
AppGroup used(AppGroup g, std::optional<double> idleSeconds, std::uint64_t footprint = 0,
              std::vector<std::string> members = {}) {
    g.idleSeconds = idleSeconds;
    g.footprintBytes = footprint;
    g.memberIdentities = std::move(members);
    return g;
}

/// The rules in their order on the sample tree: what concerns this tool itself (itself, its
/// ancestors, descendants, terminal and process group) comes first, then the protected list, then
/// background processes, then the caution list (browsers before any idle test), recent use and size.
TEST(SafetyPolicy, VerdictsInRuleOrder) {
    const std::string self = "这就是本工具自己，已锁定", system = "系统自带组件，退出会影响整个电脑，已锁定";
    const std::string background = "后台或系统进程，只展示，不可操作", descendant = "由本工具启动，已锁定";
    const std::string browser = "浏览器，关闭后已打开的页面需要重新打开，填了一半的表单会丢失";
    const std::string large = "占用很大但用途不明，退出前请确认里面没有未完成的工作";
    const std::uint64_t big = SafetyPolicy::largeUnknownFootprint;
    const auto locked = &SafetyVerdict::locked, caution = &SafetyVerdict::caution;
    const SafetyVerdict can = SafetyVerdict::canQuit();
    const AppGroup claude = bundled("Claude", "com.anthropic.claude", {200, kSelf}), editor = group("editor", {700});
    const std::tuple<const char*, AppGroup, SafetyVerdict> table[] = {
        {"itself, whatever else holds", claude, locked(self)},
        {"itself in the background", bundled("Claude", "com.anthropic.claude", {200, kSelf}, false),
         locked(self + kDisplayOnly)},
        {"an ancestor terminal, as parent", bundled("gnome-terminal-server", "org.gnome.Terminal", {200}),
         locked("它启动了本工具，已锁定")},
        {"the launch daemon is no ancestor", group("init", {1}), locked(system)},
        {"a descendant three levels down", group("worker", {602}), locked(descendant)},
        {"one member a descendant", group("worker", {700, 601}), locked(descendant)},
        {"the same terminal", group("vim", {703}), locked("和本工具在同一个终端会话里，已锁定")},
        {"same process group", group("pager", {702}, false), locked("和本工具属于同一组任务，已锁定" + kDisplayOnly)},
        {"another terminal", group("other-tty", {701}), can},
        {"protected first", bundled("Finder", "com.apple.finder", {700}, false), locked(system + kDisplayOnly)},
        {"background", group("helperd", {700}, false), locked(background)},
        {"a browser in use", used(bundled("Chrome Canary", "com.google.Chrome.canary"), 0), caution(browser)},
        {"a browser by identifier", bundled("Firefox ESR", "firefox-esr"), caution(browser)},
        {"a browser by name", group("chromium", {700}), caution(browser)},
        {"a browser helper in the background", group("chromium", {700}, false), locked(background)},
        {"in use", used(editor, 0), caution("你正在使用它，退出前请确认已保存")},
        {"used just now", used(editor, 299.9), caution("你刚刚还在使用它，退出前请确认已保存")},
        {"used five minutes ago", used(editor, 300), can},
        {"large", used(editor, 300, big), caution(large)},
        {"large, never used", used(editor, std::nullopt, big), caution(large)},
        {"just below large", used(editor, std::nullopt, big - 1), can},
        // A group is never milder than under any of its members' identities.
        {"a terminal member", used(group("Tools", {700}), std::nullopt, 0, {"org.example.Meld", "terminator"}),
         locked("终端或开发工具，里面可能有正在运行的任务，已锁定")},
        {"a browser member", used(group("Tools", {700}), std::nullopt, 0, {"firefox", "org.example.Meld"}),
         caution(browser)},
        {"locked for its own reason", used(group("Tools", {kSelf}), std::nullopt, 0, {"terminator"}), locked(self)},
    };
    for (const auto& [name, g, expected] : table) EXPECT_EQ(judge(g), expected) << name;
}

TEST(SafetyPolicy, OwnProcessGroupZeroOrOneNeverLocksByGroup) {
    for (const std::int32_t ownGroup : {0, 1}) {
        auto tree = sampleTree();
        tree->table[kSelf] = {300, ownGroup, std::nullopt};
        tree->table[702] = {1, ownGroup, std::nullopt};
        EXPECT_EQ(judge(group("pager", {702}), tree), SafetyVerdict::canQuit()) << ownGroup;
    }
}

TEST(SafetyPolicy, UnreadableOwnLineageStillLocksSelfAndDescendants) {
    auto tree = sampleTree();
    tree->table.erase(kSelf);
    EXPECT_EQ(judge(group("terminal-app", {200}), tree).kind, SafetyVerdict::Kind::canQuit);
    EXPECT_EQ(judge(group("vim", {703}), tree), SafetyVerdict::canQuit());
    EXPECT_EQ(judge(group("worker", {602}), tree), SafetyVerdict::locked("由本工具启动，已锁定"));
    EXPECT_EQ(judge(group("me", {kSelf}), tree), SafetyVerdict::locked("这就是本工具自己，已锁定"));
}

TEST(SafetyPolicy, RuleMatchingByIdentifierPrefixNameAndId) {
    const auto& rules = SafetyPolicy::effectiveProtectedRules();
    EXPECT_EQ(SafetyPolicy::match(bundled("PyCharm", "com.jetbrains.pycharm"), rules)->reason,
              "终端或开发工具，里面可能有正在运行的任务，已锁定");
    EXPECT_EQ(SafetyPolicy::match(bundled("X", "COM.APPLE.DT.Xcode"), rules)->reason,
              "终端或开发工具，里面可能有正在运行的任务，已锁定");
    EXPECT_FALSE(SafetyPolicy::match(bundled("X", "com.apple.dtx"), rules));
    EXPECT_EQ(SafetyPolicy::match(group("Docker Desktop", {700}), rules)->reason,
              "容器运行环境，里面可能有正在运行的服务，已锁定");
    // The id is consulted only without an identifier.
    AppGroup byID = group("something", {700});
    byID.id = "Tailscaled";
    EXPECT_EQ(SafetyPolicy::match(byID, rules)->reason, "网络代理或 VPN，退出会断网，已锁定");
    byID.bundleID = "org.unrelated";
    EXPECT_FALSE(SafetyPolicy::match(byID, rules));
    // First rule wins: "claude" names the AI rule even though nothing else matches.
    EXPECT_EQ(SafetyPolicy::match(group("Claude", {700}), rules)->reason, "AI 助手正在使用，已锁定");
}

TEST(SafetyPolicy, LinuxAdditionsKeepTheDesignedReasonsAndOrder) {
    const auto& rules = SafetyPolicy::effectiveProtectedRules();
    ASSERT_EQ(rules.size(), SafetyRules::protectedRules().size());
    for (std::size_t i = 0; i < rules.size(); ++i) {
        EXPECT_EQ(rules[i].reason, SafetyRules::protectedRules()[i].reason);
        EXPECT_EQ(SafetyRules::linuxProtectedRules()[i].reason, rules[i].reason);
    }
    EXPECT_EQ(SafetyPolicy::match(bundled("终端", "org.gnome.Terminal"), rules)->reason,
              "终端或开发工具，里面可能有正在运行的任务，已锁定");
    EXPECT_EQ(SafetyPolicy::match(group("wezterm-gui", {700}), rules)->reason,
              "终端或开发工具，里面可能有正在运行的任务，已锁定");
    EXPECT_EQ(SafetyPolicy::match(bundled("CLion", "jetbrains-clion"), rules).value_or(SafetyRule{}).reason,
              "终端或开发工具，里面可能有正在运行的任务，已锁定");
    EXPECT_EQ(SafetyPolicy::match(group("xorg", {700}), rules)->reason, "系统自带组件，退出会影响整个电脑，已锁定");
    EXPECT_EQ(SafetyPolicy::match(group("ibus-daemon", {700}), rules)->reason, "输入法，退出后无法打字，已锁定");
    EXPECT_EQ(SafetyPolicy::match(bundled("Fcitx 5", "org.fcitx.Fcitx5"), rules)->reason,
              "输入法，退出后无法打字，已锁定");
    EXPECT_EQ(SafetyPolicy::match(group("keepassxc", {700}), rules)->reason, "密码管理器，已锁定");
    // Every stored executable name is lower case, or it could never match.
    for (const auto* table : {&rules, &SafetyPolicy::effectiveCautionRules()}) {
        for (const SafetyRule& rule : *table) {
            for (const std::string& name : rule.execNames) {
                EXPECT_TRUE(std::none_of(name.begin(), name.end(), [](unsigned char c) { return std::isupper(c); }))
                    << name;
            }
        }
    }
}

TEST(SafetyPolicy, ClassifyKeepsOrderAndLength) {
    const auto judged = SafetyPolicy(kSelf, sampleTree())
                            .classify({group("a", {700}), group("me", {kSelf}), group("b", {700}, false)});
    ASSERT_EQ(judged.size(), 3u);
    EXPECT_EQ(judged[0].id, "a");
    EXPECT_EQ(judged[0].safety, SafetyVerdict::canQuit());
    EXPECT_TRUE(judged[1].safety.isProtected());
    EXPECT_EQ(judged[2].safety.reason, "后台或系统进程，只展示，不可操作");
}

TEST(SafetyVerdict, StrictestOrdersProtectedOverCautionOverCanQuit) {
    const SafetyVerdict can = SafetyVerdict::canQuit();
    const SafetyVerdict warn = SafetyVerdict::caution("warn");
    const SafetyVerdict lock = SafetyVerdict::locked("lock");
    const struct {
        SafetyVerdict a, b, expected;
    } table[] = {
        {can, can, can},   {can, warn, warn},  {can, lock, lock},
        {warn, can, warn}, {warn, warn, warn}, {warn, lock, lock},
        {lock, can, lock}, {lock, warn, lock}, {lock, lock, lock},
        {lock, SafetyVerdict::locked("other"), lock}, // equally strict: the first stays
    };
    for (const auto& row : table) {
        EXPECT_EQ(SafetyVerdict::strictest(row.a, row.b), row.expected) << row.a.reason << " vs " << row.b.reason;
    }
}

TEST(SafetyPolicy, CyclicLineageEndsAfterBoundedWalk) {
    auto tree = std::make_shared<FakeTree>();
    tree->table = {{kSelf, {800, 500, std::nullopt}}, {800, {801, 800, std::nullopt}}, {801, {800, 801, std::nullopt}}};
    EXPECT_EQ(judge(group("loop", {801}), tree), SafetyVerdict::locked("它启动了本工具，已锁定"));
    EXPECT_EQ(judge(group("other", {700}), tree), SafetyVerdict::canQuit());
}

} // namespace
} // namespace corvane
