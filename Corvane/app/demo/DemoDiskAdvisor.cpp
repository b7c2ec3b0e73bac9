#include "app/demo/DemoDiskAdvisor.h"

#include "disk/SystemDiskAdvisor.h"

#include <algorithm>

namespace corvane {

namespace {

constexpr std::uint64_t MiB = 1'048'576;
/// The made-up home folder of the canned paths; no real file is ever named.
constexpr const char* home = "/home/demo/";

struct DemoItem {
    const char* id;
    const char* title;
    const char* detail;
    std::uint64_t bytes;
    DiskRisk risk;
    std::vector<std::string> owners;
    /// How the block reason names the owner.
    const char* ownerName;
    const char* rel;
    bool info;
};

const std::vector<DemoItem>& demoItems() {
    static const std::vector<DemoItem> items{
        {"chrome-cache", "Chrome 缓存", "Chrome 的磁盘缓存。清了会自动重建，网页首次加载略慢；不影响书签和登录。",
         2'340 * MiB, DiskRisk::safe, {"google-chrome"}, "Chrome", ".cache/google-chrome", false},
        {"playwright-browsers", "Playwright 测试浏览器", "自动化测试下载的浏览器。清了需要时会重新下载（数百 MB）。",
         1'870 * MiB, DiskRisk::safe, {}, nullptr, ".cache/ms-playwright", false},
        {"npm-cache", "npm 下载缓存", "npm 的包下载缓存。清了下次安装依赖时自动重建。", 3'120 * MiB, DiskRisk::safe, {}, nullptr,
         ".npm/_cacache", false},
        {"claude-cli-cache", "Claude Code 命令行缓存",
         "Claude Code 命令行的日志与缓存，清了会自动重建。无法判断终端里是否有 claude 在跑，建议先退出它。", 640 * MiB,
         DiskRisk::safe, {}, nullptr, ".cache/claude-cli-nodejs", false},
        {"spotify-cache", "Spotify 缓存", "Spotify 的播放缓存。清了会按需重新缓存。", 1'150 * MiB, DiskRisk::safe,
         {"spotify"}, "Spotify", ".cache/spotify", false},
        {"pip-cache", "pip 下载缓存", "Python 包的下载缓存。清了下次安装时自动重建。", 870 * MiB, DiskRisk::safe, {}, nullptr,
         ".cache/pip", false},
        {"thumbnails", "缩略图缓存", "文件管理器生成的图片缩略图。清了浏览图片时会重新生成。", 420 * MiB,
         DiskRisk::safe, {}, nullptr, ".cache/thumbnails", false},
        {"wechat-files", "微信聊天文件", "微信收到的图片、视频和文件。清了聊天里就打不开了，请先确认。", 6'200 * MiB,
         DiskRisk::confirm, {"wechat"}, "微信", "Documents/WeChat Files", false},
        {"worktree-old-feature", "旧的 git 工作区：old-feature", "分支已合并、没有未提交改动的工作区。清了可以随时重新检出。",
         1'310 * MiB, DiskRisk::confirm, {}, nullptr, "src/corvane-old-feature", false},
        {"downloads-installers", "下载目录里的安装包", "已经安装过的 .deb 和 .AppImage 安装包。", 2'050 * MiB,
         DiskRisk::confirm, {}, nullptr, "Downloads/installers", false},
        {"codex-sessions", "Codex 会话与对话库", "会话与对话库占 %@，请用 Codex 自带的归档整理（这里不提供清理）。",
         980 * MiB, DiskRisk::confirm, {}, nullptr, ".codex/sessions", true},
        {"trash", "废纸篓", "废纸篓里已有 %@，在文件管理器里清倒废纸篓才会真正释放。", 3'400 * MiB, DiskRisk::confirm, {}, nullptr,
         ".local/share/Trash", true},
    };
    return items;
}

std::string withSize(std::string detail, std::uint64_t bytes) {
    if (const auto at = detail.find("%@"); at != std::string::npos) detail.replace(at, 2, SystemDiskAdvisor::gb(bytes));
    return detail;
}

class CannedScan final : public DiskAdvising {
public:
    explicit CannedScan(DiskReport report) : report_(std::move(report)) {}
    DiskReport scan() override { return report_; }

private:
    const DiskReport report_;
};

} // namespace

DemoDiskAdvisors::DemoDiskAdvisors(std::uint64_t freeBytes, std::uint64_t totalBytes, Clock clock)
    : freeBytes_(freeBytes), totalBytes_(totalBytes), clock_(std::move(clock)) {}

std::unique_ptr<DiskAdvising> DemoDiskAdvisors::advisor(const std::set<std::string>& running) {
    return std::make_unique<CannedScan>(report(running));
}

DiskReport DemoDiskAdvisors::report(const std::set<std::string>& running) const {
    std::set<std::string> cleaned;
    {
        const std::lock_guard lock(mutex_);
        cleaned = cleaned_;
    }
    DiskReport report{freeBytes_, totalBytes_, {}, clock_(), 1.8};
    for (const DemoItem& demo : demoItems()) {
        if (cleaned.count(demo.id) != 0) continue;
        DiskItem item;
        item.id = demo.id;
        item.title = demo.title;
        item.detail = withSize(demo.detail, demo.bytes);
        item.bytes = demo.bytes;
        item.risk = demo.risk;
        item.ownerBundleIDs = demo.owners;
        if (!demo.info) item.paths = {home + std::string(demo.rel)};
        item.isInfoOnly = demo.info;
        const auto owner = std::find_if(demo.owners.begin(), demo.owners.end(),
                                        [&](const std::string& id) { return running.count(id) != 0; });
        if (!demo.info && owner != demo.owners.end()) {
            item.blockedReason = std::string(demo.ownerName) + " 正在运行，先退出它再清理";
        }
        report.items.push_back(std::move(item));
    }
    std::sort(report.items.begin(), report.items.end(), [](const DiskItem& a, const DiskItem& b) {
        return a.bytes != b.bytes ? a.bytes > b.bytes : a.id < b.id;
    });
    return report;
}

void DemoDiskAdvisors::forget(const std::vector<std::string>& ids) {
    const std::lock_guard lock(mutex_);
    cleaned_.insert(ids.begin(), ids.end());
}

} // namespace corvane
