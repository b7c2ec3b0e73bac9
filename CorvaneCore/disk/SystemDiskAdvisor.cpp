#include "disk/SystemDiskAdvisor.h"

#include "disk/DiskSizer.h"
#include "disk/DiskWhitelist.h"
#include "disk/FileURL.h"
#include "disk/WorktreeInspector.h"
#include "support/DirectoryListing.h"
#include "support/FileStatus.h"
#include "support/PathText.h"
#include "support/SplitText.h"
#include "support/TextSearch.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace corvane {

namespace {

using Uptime = std::chrono::steady_clock;
using Finalize = std::function<DiskItem(DiskItem, bool approximate)>;

constexpr double secondsPerDay = 86'400;
constexpr double othersBudget = 1.0;
constexpr double othersMinimumSeconds = 0.2;
constexpr int inspectionWorkers = 2;
constexpr double gitTimeout = 2.0;

double uptimeSince(Uptime::time_point start) {
    return std::chrono::duration<double>(Uptime::now() - start).count();
}

std::string substitutingSize(std::string detail, std::uint64_t bytes) {
    if (const auto at = detail.find("%@"); at != std::string::npos) {
        detail.replace(at, 2, SystemDiskAdvisor::gb(bytes));
    }
    return detail;
}

DiskItem makeItem(std::string id, std::string title, std::string detail, std::uint64_t bytes, DiskRisk risk,
                  std::vector<std::string> owners, std::vector<std::string> paths, bool info) {
    DiskItem item;
    item.id = std::move(id);
    item.title = std::move(title);
    item.detail = std::move(detail);
    item.bytes = bytes;
    item.risk = risk;
    item.ownerBundleIDs = std::move(owners);
    item.paths = std::move(paths);
    item.isInfoOnly = info;
    return item;
}

/// The scan's pieces that need the advisor's settings and the running set read at its start.
class Scan {
public:
    Scan(const SystemDiskAdvisor& advisor, const SystemDiskAdvisor::Tuning& tuning, const DiskLayout& layout,
         const Clock& now, std::set<std::string> running)
        : advisor_(advisor), tuning_(tuning), layout_(layout), now_(now), running_(std::move(running)) {}

    /// Applies the rules every item passes: the owner-running block, the approximation mark and
    /// no paths for informative items.
    DiskItem finalize(DiskItem item, bool approximate) const {
        if (!item.blockedReason && !item.isInfoOnly) {
            for (const std::string& owner : item.ownerBundleIDs) {
                if (running_.count(owner) != 0) {
                    item.blockedReason = SystemDiskAdvisor::appName(owner) + " 正在运行，先退出它再清理";
                    break;
                }
            }
        }
        if (approximate) item.detail += approximateMark;
        if (item.isInfoOnly) item.paths.clear();
        return item;
    }

    std::vector<DiskItem> catalogueItems() const;
    std::vector<DiskItem> updateLeftoverItems() const;
    std::optional<DiskItem> generatedImagesItem() const;
    std::optional<DiskItem> otherCachesItem(Uptime::time_point scanStart) const;

private:
    struct Job {
        std::size_t entry;
        std::string path;
    };

    std::string inHome(const std::string& rel) const { return advisor_.home() + "/" + rel; }
    bool usable(const std::string& rel) const {
        const std::string path = inHome(rel);
        return pathExists(path) && DiskWhitelist::isPlain(path, advisor_.home());
    }
    std::vector<DiskMeasure> measureAll(const std::vector<std::string>& paths, double budget,
                                        std::optional<Date> deadline = std::nullopt, bool trackMTime = false,
                                        std::optional<Date> abortIfNewerThan = std::nullopt) const {
        return DiskSizer::parallelMap(paths, tuning_.workers, [&](const std::string& path) {
            return DiskSizer::measure(path, budget, deadline, trackMTime, abortIfNewerThan);
        });
    }
    std::optional<DiskItem> updateLeftoverItem(const std::string& caches, const std::string& name) const;

    const SystemDiskAdvisor& advisor_;
    const SystemDiskAdvisor::Tuning& tuning_;
    const DiskLayout& layout_;
    const Clock& now_;
    const std::set<std::string> running_;
};

std::vector<DiskItem> Scan::catalogueItems() const {
    std::vector<Job> jobs;
    const auto trash = layout_.indexOf("trash");
    for (std::size_t i = 0; i < layout_.entries.size(); ++i) {
        for (const std::string& rel : layout_.entries[i].rel) {
            if (!usable(rel)) continue;
            // A Trash the program may not list is left out rather than reported as empty.
            if (trash && i == *trash && !listNames(inHome(rel))) continue;
            jobs.push_back({i, inHome(rel)});
        }
    }
    if (const auto sessions = layout_.indexOf("codex-sessions")) {
        const auto names = listNames(inHome(".codex"));
        if (names && usable(".codex")) {
            for (const std::string& name : *names) {
                if (name.starts_with("thread_history_") && containsText(name, ".sqlite")) {
                    jobs.push_back({*sessions, inHome(".codex/" + name)});
                }
            }
        }
    }

    const Date deadline = addingSeconds(std::chrono::system_clock::now(), tuning_.staticDeadline);
    std::vector<std::string> paths;
    paths.reserve(jobs.size());
    for (const Job& job : jobs) paths.push_back(job.path);
    const std::vector<DiskMeasure> measures = measureAll(paths, tuning_.itemBudget, deadline);

    struct Aggregate {
        bool present{false};
        std::uint64_t bytes{};
        bool approximate{false};
        std::vector<std::string> paths;
    };
    std::vector<Aggregate> aggregates(layout_.entries.size());
    for (std::size_t j = 0; j < jobs.size(); ++j) {
        Aggregate& aggregate = aggregates[jobs[j].entry];
        const DiskMeasure& measure = measures[j];
        aggregate.present = true;
        aggregate.bytes += measure.bytes;
        aggregate.approximate = aggregate.approximate || measure.approximate;
        if (!(measure.approximate && measure.bytes == 0)) {
            aggregate.paths.push_back(DiskWhitelist::standardized(jobs[j].path));
        }
    }

    std::vector<DiskItem> items;
    for (std::size_t i = 0; i < layout_.entries.size(); ++i) {
        const DiskLayout::CatalogueEntry& entry = layout_.entries[i];
        const Aggregate& aggregate = aggregates[i];
        if (!aggregate.present) continue;
        const std::uint64_t threshold =
            entry.minBytes ? std::max(tuning_.minItemBytes, tuning_.devCacheMinBytes) : tuning_.minItemBytes;
        if (aggregate.bytes < threshold) continue;
        items.push_back(finalize(makeItem(entry.id, entry.title, substitutingSize(entry.detail, aggregate.bytes),
                                          aggregate.bytes, entry.risk, entry.owners, aggregate.paths, entry.info),
                                 aggregate.approximate));
    }
    return items;
}

std::vector<DiskItem> Scan::updateLeftoverItems() const {
    const std::string caches = inHome(layout_.cachesRel);
    if (!usable(layout_.cachesRel)) return {};
    const auto names = listNames(caches);
    if (!names) return {};
    std::vector<DiskItem> items;
    for (const std::string& name : *names) {
        if (!containsText(name, "ShipIt")) continue;
        if (auto item = updateLeftoverItem(caches, name)) items.push_back(std::move(*item));
    }
    return items;
}

std::optional<DiskItem> Scan::updateLeftoverItem(const std::string& caches, const std::string& name) const {
    const std::string dir = caches + "/" + name;
    if (DiskSizer::isSymlink(dir)) return std::nullopt;
    auto entries = listNames(dir);
    if (!entries) return std::nullopt;

    std::optional<std::string> application;
    std::optional<std::string> inUse;
    const std::string stateFile = dir + "/ShipItState.plist";
    if (pathExists(stateFile)) {
        const auto state = SystemDiskAdvisor::readStateDict(stateFile);
        if (!state) return std::nullopt;
        if (const auto found = state->find("bundleIdentifier"); found != state->end()) application = found->second;
        if (const auto found = state->find("updateBundleURL"); found != state->end()) {
            inUse = absoluteStandardized(filePathOfURL(found->second).value_or(found->second));
        }
    }

    std::vector<std::string> candidates;
    for (const std::string& entry : *entries) {
        if (!entry.starts_with("update.")) continue;
        const std::string path = dir + "/" + entry;
        if (DiskSizer::isSymlink(path)) continue;
        const std::string standardized = DiskWhitelist::standardized(path);
        // The update the updater still works with is never offered.
        if (inUse && (standardized == *inUse || standardized.starts_with(*inUse + "/"))) continue;
        candidates.push_back(standardized);
    }
    if (candidates.empty()) return std::nullopt;
    const std::vector<DiskMeasure> measures = measureAll(candidates, tuning_.itemBudget);
    std::uint64_t total = 0;
    bool approximate = false;
    for (const DiskMeasure& measure : measures) {
        total += measure.bytes;
        approximate = approximate || measure.approximate;
    }
    if (total < tuning_.minItemBytes) return std::nullopt;

    const std::string base = removingAll(name, ".ShipIt");
    if (!application && containsText(base, ".") && !base.starts_with("com.todesktop.")) application = base;
    if (application) {
        return finalize(makeItem("shipit-" + name, SystemDiskAdvisor::appName(*application) + " 更新残留",
                                 "应用更新的临时文件。清了不影响应用本身；待安装的更新不会被动。", total, DiskRisk::safe,
                                 {*application}, candidates, false),
                        approximate);
    }
    return finalize(makeItem("shipit-" + name, base + " 更新残留",
                             "应用更新的临时文件（" + base + "）。已下载过的更新包，清了不影响应用本身；待安装的更新不会被动。",
                             total, DiskRisk::safe, {}, candidates, false),
                    approximate);
}

std::optional<DiskItem> Scan::generatedImagesItem() const {
    const std::string rel = ".codex/generated_images";
    if (!usable(rel)) return std::nullopt;
    const std::string root = inHome(rel);
    const auto names = listNames(root);
    if (!names) return std::nullopt;
    const Date cutoff = addingSeconds(now_(), -static_cast<double>(tuning_.staleImageDays) * secondsPerDay);

    std::vector<std::string> folders;
    for (const std::string& name : *names) {
        if (isPlainFolder(root + "/" + name)) folders.push_back(DiskWhitelist::standardized(root + "/" + name));
    }
    const std::vector<DiskMeasure> measures = measureAll(folders, tuning_.itemBudget, std::nullopt, true, cutoff);
    std::uint64_t total = 0;
    std::vector<std::string> accepted;
    for (std::size_t i = 0; i < folders.size(); ++i) {
        const DiskMeasure& measure = measures[i];
        if (measure.foundNewer || measure.approximate || !measure.newestMTime || !(*measure.newestMTime < cutoff)) {
            continue;
        }
        total += measure.bytes;
        accepted.push_back(folders[i]);
    }
    if (accepted.empty() || total < tuning_.minItemBytes) return std::nullopt;
    const std::string days = std::to_string(tuning_.staleImageDays);
    return finalize(makeItem("codex-generated-images", "Codex 生成图片（超过 " + days + " 天）",
                             std::to_string(accepted.size()) + " 批超过 " + days +
                                 " 天没有变动的 AI 生成图片。可能含你想留的作品，请确认后再清理；移入废纸篓后可放回。",
                             total, DiskRisk::confirm, {}, accepted, false),
                    false);
}

std::optional<DiskItem> Scan::otherCachesItem(Uptime::time_point scanStart) const {
    if (!usable(layout_.cachesRel)) return std::nullopt;
    const std::string caches = inHome(layout_.cachesRel);
    // Sorted so that equal sizes name the same folders on every scan.
    const auto names = listNames(caches);
    if (!names) return std::nullopt;
    std::vector<std::string> paths;
    for (const std::string& name : *names) {
        const auto& covered = layout_.cataloguedCacheNames;
        if (std::find(covered.begin(), covered.end(), name) != covered.end()) continue;
        if (containsText(name, "ShipIt") || name.starts_with(".")) continue;
        const std::string path = caches + "/" + name;
        if (!DiskSizer::isSymlink(path)) paths.push_back(path);
    }
    if (paths.empty()) return std::nullopt;

    const double left = std::max(tuning_.othersDeadline - uptimeSince(scanStart), othersMinimumSeconds);
    const Date deadline = addingSeconds(std::chrono::system_clock::now(), left);
    const std::vector<DiskMeasure> measures = measureAll(paths, othersBudget, deadline);
    std::uint64_t total = 0;
    bool approximate = false;
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < measures.size(); ++i) {
        total += measures[i].bytes;
        approximate = approximate || measures[i].approximate;
        order.push_back(i);
    }
    if (total < tuning_.minItemBytes) return std::nullopt;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return measures[a].bytes > measures[b].bytes; });
    std::string largest;
    for (std::size_t k = 0; k < std::min<std::size_t>(3, order.size()); ++k) {
        if (k > 0) largest += "、";
        largest += lastPathComponent(paths[order[k]]);
    }
    return finalize(makeItem("caches-other", "其他缓存",
                             "其他缓存 " + SystemDiskAdvisor::gb(total) + "，请手动检查 " + layout_.cachesShown +
                                 "（较大：" + largest + "）。这里不提供清理。",
                             total, DiskRisk::confirm, {}, {}, true),
                    approximate);
}

} // namespace

SystemDiskAdvisor::SystemDiskAdvisor(const std::string& home, RunningSource runningBundleIDs, Clock now, Tuning tuning,
                                     const DiskLayout& layout)
    : home_(DiskWhitelist::standardized(home)), runningBundleIDs_(std::move(runningBundleIDs)), now_(std::move(now)),
      tuning_(tuning), layout_(&layout) {}

DiskReport SystemDiskAdvisor::scan() {
    const auto start = Uptime::now();
    DiskReport report;
    report.scannedAt = now_();
    const Scan scan(*this, tuning_, *layout_, now_, runningBundleIDs_ ? runningBundleIDs_() : std::set<std::string>{});
    const auto finalize = [&scan](DiskItem item, bool approximate) {
        return scan.finalize(std::move(item), approximate);
    };

    std::vector<DiskItem> items = scan.catalogueItems();
    for (DiskItem& item : scan.updateLeftoverItems()) items.push_back(std::move(item));
    for (DiskItem& item : worktreeItems(finalize)) items.push_back(std::move(item));
    if (auto item = scan.generatedImagesItem()) items.push_back(std::move(*item));
    if (auto item = scan.otherCachesItem(start)) items.push_back(std::move(*item));

    std::erase_if(items, [&](const DiskItem& item) { return item.bytes < tuning_.minItemBytes; });
    std::sort(items.begin(), items.end(), [](const DiskItem& a, const DiskItem& b) {
        return a.bytes != b.bytes ? a.bytes > b.bytes : a.id < b.id;
    });
    report.items = std::move(items);
    const DiskSpace space = volumeSpace();
    report.freeBytes = space.free;
    report.totalBytes = space.total;
    report.scanSeconds = uptimeSince(start);
    return report;
}

std::vector<DiskItem> SystemDiskAdvisor::worktreeItems(const Finalize& finalize) const {
    const std::string root = home_ + "/.codex/worktrees";
    if (!pathExists(root) || !DiskWhitelist::isPlain(root, home_)) return {};
    const auto names = listNames(root);
    if (!names) return {};

    struct Candidate {
        std::string rel;
        std::string path;
    };
    std::vector<Candidate> candidates;
    for (const std::string& name : *names) {
        const std::string folder = root + "/" + name;
        if (!isPlainFolder(folder)) continue;
        if (pathExists(folder + "/.git")) {
            candidates.push_back({name, folder});
            continue;
        }
        for (const std::string& child : listNames(folder).value_or(std::vector<std::string>{})) {
            const std::string inner = folder + "/" + child;
            if (isPlainFolder(inner) && pathExists(inner + "/.git")) candidates.push_back({name + "/" + child, inner});
        }
    }

    std::vector<std::string> paths;
    paths.reserve(candidates.size());
    for (const Candidate& candidate : candidates) paths.push_back(candidate.path);
    // One deadline for the whole phase: a hung file system or git cannot hold up the scan, however
    // many worktrees there are.
    const Date deadline = addingSeconds(std::chrono::system_clock::now(), tuning_.worktreeDeadline);
    const std::vector<DiskMeasure> measures = DiskSizer::parallelMap(paths, tuning_.workers, [&](const std::string& p) {
        return DiskSizer::measure(p, tuning_.itemBudget, deadline);
    });
    std::vector<std::size_t> kept;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (measures[i].bytes >= tuning_.minItemBytes) kept.push_back(i);
    }
    const std::vector<WorktreeVerdict> verdicts = DiskSizer::parallelMap(kept, inspectionWorkers, [&](std::size_t i) {
        return WorktreeInspector::inspect(candidates[i].path, gitTimeout, deadline);
    });

    std::vector<DiskItem> items;
    for (std::size_t k = 0; k < kept.size(); ++k) {
        const Candidate& candidate = candidates[kept[k]];
        std::string id = "codex-worktree-" + candidate.rel;
        std::replace(id.begin(), id.end(), '/', '-');
        DiskItem item = makeItem(std::move(id), "Codex 闲置工作区「" + std::string(lastPathComponent(candidate.rel)) + "」", "",
                                 measures[kept[k]].bytes, DiskRisk::confirm, {"com.openai.codex"},
                                 {DiskWhitelist::standardized(candidate.path)}, false);
        if (const auto reason = reasonText(verdicts[k])) {
            item.detail = "git 工作区，当前不可清理：" + std::string(*reason) + "。";
            item.blockedReason = std::string(*reason);
        } else {
            item.detail = "git 工作区：无未提交改动，提交已在远端分支里。移入废纸篓后可放回。";
        }
        items.push_back(finalize(std::move(item), measures[kept[k]].approximate));
    }
    return items;
}

std::string SystemDiskAdvisor::appName(const std::string& bundleID) {
    static const std::map<std::string, std::string> displayNames{
        {"com.openai.codex", "Codex"},
        {"com.openai.chat", "ChatGPT"},
        {"com.openai.atlas", "ChatGPT Atlas"},
        {"com.anthropic.claudefordesktop", "Claude"},
        {"com.google.Chrome", "Chrome"},
        {"com.spotify.client", "Spotify"},
        {"com.apple.dt.Xcode", "Xcode"},
        {"company.thebrowser.dia", "Dia"},
        // Identities of the same applications on Linux.
        {"google-chrome", "Chrome"},
        {"chromium", "Chromium"},
        {"chromium-browser", "Chromium"},
        {"org.chromium.Chromium", "Chromium"},
        {"spotify", "Spotify"},
        {"com.spotify.Client", "Spotify"},
    };
    if (const auto found = displayNames.find(bundleID); found != displayNames.end()) return found->second;
    const std::vector<std::string> parts = splitNonEmpty(bundleID, '.');
    return parts.empty() ? bundleID : parts.back();
}

std::string SystemDiskAdvisor::gb(std::uint64_t bytes) {
    char text[64];
    if (bytes < 1'073'741'824ULL) {
        std::snprintf(text, sizeof text, "%.0f MB", static_cast<double>(bytes) / 1'048'576.0);
    } else {
        std::snprintf(text, sizeof text, "%.1f GB", static_cast<double>(bytes) / 1'073'741'824.0);
    }
    return text;
}

DiskSpace SystemDiskAdvisor::volumeSpace() const {
    return readVolumeSpace(home_).value_or(DiskSpace{});
}

} // namespace corvane
