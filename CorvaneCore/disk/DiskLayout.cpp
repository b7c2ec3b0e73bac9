#include "disk/DiskLayout.h"

#include "disk/DiskWhitelist.h"

#include <algorithm>

namespace corvane {

namespace {

constexpr std::uint64_t largeCacheBytes = 524'288'000;

} // namespace

DiskLayout::DiskLayout(std::vector<CatalogueEntry> entries_, std::string cachesRel_, std::string cachesShown_)
    : entries(std::move(entries_)), cachesRel(std::move(cachesRel_)), cachesShown(std::move(cachesShown_)) {
    const std::vector<std::string> caches = DiskWhitelist::split(cachesRel);
    for (const CatalogueEntry& entry : entries) {
        for (const std::string& rel : entry.rel) {
            const std::vector<std::string> components = DiskWhitelist::split(rel);
            if (!entry.info) {
                insideRoots.push_back(rel);
                rootComponents.push_back(components);
            }
            if (components.size() > caches.size() && std::equal(caches.begin(), caches.end(), components.begin())) {
                const std::string& name = components[caches.size()];
                if (std::find(cataloguedCacheNames.begin(), cataloguedCacheNames.end(), name) ==
                    cataloguedCacheNames.end()) {
                    cataloguedCacheNames.push_back(name);
                }
            }
        }
    }
}

std::optional<std::size_t> DiskLayout::indexOf(const std::string& id) const {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].id == id) return i;
    }
    return std::nullopt;
}

const DiskLayout& macLayout() {
    using CatalogueEntry = DiskLayout::CatalogueEntry;
    const auto safe = DiskRisk::safe;
    const auto confirm = DiskRisk::confirm;
    static const DiskLayout layout(
        {
            CatalogueEntry{"codex-cache", "Codex / ChatGPT / Atlas 缓存", "这几个 App 的网络缓存。清了会自动重建，不影响对话和设置。", safe,
                 {"com.openai.codex", "com.openai.chat", "com.openai.atlas"},
                 {"Library/Caches/com.openai.codex", "Library/Caches/com.openai.atlas"}, false, std::nullopt},
            CatalogueEntry{"claude-cache", "Claude 桌面端缓存与日志", "Claude 的浏览器缓存与运行日志。清了会自动重建，不影响会话。", safe,
                 {"com.anthropic.claudefordesktop"},
                 {"Library/Application Support/Claude/Cache", "Library/Application Support/Claude/Code Cache",
                  "Library/Application Support/Claude/GPUCache", "Library/Logs/Claude"},
                 false, std::nullopt},
            CatalogueEntry{"claude-vm-residual", "Claude 虚拟机安装残留",
                 "虚拟机镜像的压缩安装包（rootfs.img.zst），已解压使用，属于安装残留。", safe,
                 {"com.anthropic.claudefordesktop"},
                 {"Library/Application Support/Claude/vm_bundles/claudevm.bundle/rootfs.img.zst"}, false, std::nullopt},
            CatalogueEntry{"xcode-derived-data", "Xcode 编译缓存", "DerivedData：编译中间产物。清了下次编译会自动重建（首次编译较慢）。", safe,
                 {"com.apple.dt.Xcode"}, {"Library/Developer/Xcode/DerivedData"}, false, largeCacheBytes},
            CatalogueEntry{"playwright-browsers", "Playwright 测试浏览器", "自动化测试下载的浏览器。清了需要时会重新下载（数百 MB）。", safe,
                 {}, {"Library/Caches/ms-playwright"}, false, largeCacheBytes},
            CatalogueEntry{"chrome-cache", "Chrome 缓存", "Chrome 的磁盘缓存。清了会自动重建，网页首次加载略慢；不影响书签和登录。", safe,
                 {"com.google.Chrome"}, {"Library/Caches/Google"}, false, largeCacheBytes},
            CatalogueEntry{"spotify-cache", "Spotify 缓存", "Spotify 的播放缓存。清了会按需重新缓存。", safe, {"com.spotify.client"},
                 {"Library/Caches/com.spotify.client"}, false, largeCacheBytes},
            CatalogueEntry{"npm-cache", "npm 下载缓存", "npm 的包下载缓存。清了下次安装依赖时自动重建。", safe, {}, {".npm/_cacache"}, false,
                 largeCacheBytes},
            CatalogueEntry{"claude-cli-cache", "Claude Code 命令行缓存",
                 "Claude Code 命令行的日志与缓存，清了会自动重建。无法判断终端里是否有 claude 在跑，建议先退出它。", safe, {},
                 {"Library/Caches/claude-cli-nodejs"}, false, largeCacheBytes},
            CatalogueEntry{"dia-cache", "Dia 浏览器缓存", "Dia 的磁盘缓存。清了会自动重建。", safe, {"company.thebrowser.dia"},
                 {"Library/Caches/Dia"}, false, largeCacheBytes},
            CatalogueEntry{"claude-cowork-sessions", "Claude 旧 Cowork 会话",
                 "旧会话占 %@，请在 Claude 的存储设置里清理（这里不提供清理）。", confirm, {},
                 {"Library/Application Support/Claude/local-agent-mode-sessions"}, true, std::nullopt},
            CatalogueEntry{"claude-vm-image", "Claude 虚拟机镜像",
                 "虚拟机镜像占 %@，只增不缩；需先备份再在 Claude 里重建（这里不提供清理）。", confirm, {},
                 {"Library/Application Support/Claude/vm_bundles/claudevm.bundle/rootfs.img",
                  "Library/Application Support/Claude/vm_bundles/claudevm.bundle/sessiondata.img"},
                 true, std::nullopt},
            CatalogueEntry{"codex-sessions", "Codex 会话与对话库", "会话与对话库占 %@，请用 Codex 自带的归档整理（这里不提供清理）。",
                 confirm, {}, {".codex/sessions"}, true, std::nullopt},
            CatalogueEntry{"trash", "废纸篓", "废纸篓里已有 %@，在 Finder 里清倒废纸篓才会真正释放。", confirm, {}, {".Trash"}, true,
                 std::nullopt},
        },
        "Library/Caches", "~/Library/Caches");
    return layout;
}

const DiskLayout& linuxLayout() {
    using CatalogueEntry = DiskLayout::CatalogueEntry;
    const DiskLayout& mac = macLayout();
    const auto macEntry = [&mac](const std::string& id) { return mac.entries[*mac.indexOf(id)]; };
    // Same ids, titles and rules as on macOS; only the places, the owners' identities and the
    // names of the file manager and caches folder differ.
    const auto moved = [&macEntry](const std::string& id, std::vector<std::string> owners, std::vector<std::string> rel) {
        CatalogueEntry entry = macEntry(id);
        entry.owners = std::move(owners);
        entry.rel = std::move(rel);
        return entry;
    };
    static const DiskLayout layout(
        {
            moved("playwright-browsers", {}, {".cache/ms-playwright"}),
            moved("chrome-cache",
                  {"google-chrome", "chromium", "chromium-browser", "com.google.Chrome", "org.chromium.Chromium"},
                  {".cache/google-chrome", ".cache/chromium"}),
            moved("spotify-cache", {"spotify", "com.spotify.Client"}, {".cache/spotify"}),
            moved("npm-cache", {}, {".npm/_cacache"}),
            moved("claude-cli-cache", {}, {".cache/claude-cli-nodejs"}),
            moved("codex-sessions", {}, {".codex/sessions"}),
            CatalogueEntry{"trash", "废纸篓", "废纸篓里已有 %@，在文件管理器里清倒废纸篓才会真正释放。", DiskRisk::confirm, {},
                 {".local/share/Trash"}, true, std::nullopt},
        },
        ".cache", "~/.cache");
    return layout;
}

} // namespace corvane
