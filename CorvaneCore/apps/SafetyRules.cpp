#include "apps/SafetyRule.h"

namespace corvane::SafetyRules {

namespace {

const char* const kAIReason = "AI 助手正在使用，已锁定";
const char* const kDevReason = "终端或开发工具，里面可能有正在运行的任务，已锁定";
const char* const kContainerReason = "容器运行环境，里面可能有正在运行的服务，已锁定";
const char* const kSystemReason = "系统自带组件，退出会影响整个电脑，已锁定";
const char* const kMeetingReason = "可能正在开会或录屏，已锁定";
const char* const kNetworkReason = "网络代理或 VPN，退出会断网，已锁定";
const char* const kSyncReason = "正在备份、同步或下载，退出可能中断，已锁定";
const char* const kPasswordReason = "密码管理器，已锁定";
const char* const kInputReason = "输入法，退出后无法打字，已锁定";
const char* const kBrowserReason = "浏览器，关闭后已打开的页面需要重新打开，填了一半的表单会丢失";

} // namespace

const std::vector<SafetyRule>& protectedRules() {
    static const std::vector<SafetyRule> rules{
        {{"com.anthropic", "com.openai", "com.openai.codex", "com.openai.chat"},
         {"claude", "codex", "chatgpt", "claude code"},
         kAIReason},
        {{"com.apple.Terminal", "com.googlecode.iterm2", "dev.warp", "com.mitchellh.ghostty", "net.kovidgoyal.kitty",
          "org.alacritty", "com.github.wez.wezterm", "co.zeit.hyper", "com.apple.dt", "com.microsoft.VSCode",
          "com.microsoft.VSCodeInsiders", "com.todesktop.230313mzl4w4u92", "com.exafunction.windsurf", "dev.zed.Zed",
          "com.jetbrains", "com.google.android.studio", "com.sublimetext"},
         {"terminal", "iterm2", "warp", "ghostty", "xcode", "cursor", "windsurf", "zed", "visual studio code",
          "android studio"},
         kDevReason},
        {{"com.orbstack", "com.docker"}, {"orbstack", "docker", "docker desktop"}, kContainerReason},
        {{"com.apple.finder", "com.apple.dock", "com.apple.systemuiserver", "com.apple.loginwindow",
          "com.apple.controlcenter", "com.apple.notificationcenterui", "com.apple.WindowServer", "com.apple.Spotlight",
          "com.apple.coreservices", "com.apple.systempreferences", "com.apple.ActivityMonitor"},
         {"kernel_task", "launchd", "windowserver", "finder", "dock", "loginwindow", "systemuiserver", "controlcenter",
          "mds", "mds_stores", "coreaudiod", "spotlight"},
         kSystemReason},
        {{"us.zoom", "com.tencent.meeting", "com.tencent.wemeet", "com.obsproject", "com.apple.QuickTimePlayerX",
          "com.microsoft.teams", "com.microsoft.teams2", "com.cisco.webex", "Cisco-Systems.Spark", "com.loom",
          "com.bytedance.macos.feishu", "com.electron.lark", "com.apple.screencaptureui", "com.apple.FaceTime"},
         {"zoom.us", "zoom", "obs", "wemeetapp", "quicktime player"},
         kMeetingReason},
        {{"com.west2online", "com.metacubex", "io.github.clash-verge-rev", "com.nssurge", "com.tailscale",
          "io.tailscale", "com.wireguard", "com.v2ray", "org.v2ray", "com.openvpn", "net.openvpn",
          "com.cisco.anyconnect", "com.nordvpn", "com.expressvpn", "ch.protonvpn", "net.mullvad", "com.getlantern",
          "com.qiuyuzhou.ShadowsocksX-NG", "com.surge", "com.clash", "com.stash"},
         {"clash", "clashx", "clash verge", "surge", "tailscale", "tailscaled", "mihomo", "v2rayu"},
         kNetworkReason},
        {{"com.apple.backupd", "com.apple.bird", "com.apple.TimeMachine", "com.apple.icloud", "com.getdropbox",
          "com.google.drivefs", "com.microsoft.OneDrive", "com.backblaze", "com.carbonite", "com.resilio",
          "com.synology", "com.baidu.BaiduNetdisk-mac", "com.xunlei", "com.motrix", "org.transmissionbt",
          "org.qbittorrent", "com.apple.CloudDocs"},
         {"backupd", "bird", "cloudd", "dropbox", "icloud", "transmission", "qbittorrent", "motrix"},
         kSyncReason},
        {{"com.1password", "com.agilebits", "com.bitwarden", "com.lastpass", "org.keepassxc", "com.dashlane",
          "com.enpass", "com.apple.Passwords", "com.apple.keychainaccess"},
         {"1password", "bitwarden", "lastpass", "keepassxc", "dashlane", "passwords"},
         kPasswordReason},
        {{"com.apple.inputmethod", "com.apple.PressAndHold", "com.sogou.inputmethod", "com.tencent.inputmethod",
          "com.baidu.inputmethod", "im.rime", "com.iflytek.inputmethod", "org.fcitx", "com.googlecode.rimeime"},
         {"sogouinput", "squirrel", "pinyin", "qqinput"},
         kInputReason},
    };
    return rules;
}

const std::vector<SafetyRule>& cautionRules() {
    static const std::vector<SafetyRule> rules{
        {{"com.apple.Safari", "com.google.Chrome", "org.mozilla.firefox", "company.thebrowser", "com.microsoft.edgemac",
          "com.brave.Browser", "com.operasoftware"},
         {"safari", "google chrome", "firefox", "arc", "microsoft edge"},
         kBrowserReason},
    };
    return rules;
}

// Identities are desktop IDs (from the systemd application unit) or WM_CLASS classes; they are
// compared case-insensitively. Executable names are lower case.
const std::vector<SafetyRule>& linuxProtectedRules() {
    static const std::vector<SafetyRule> rules{
        {{"claude", "codex", "chatgpt"}, {"claude", "codex", "chatgpt"}, kAIReason},
        {{"org.gnome.Terminal", "gnome-terminal", "gnome-terminal-server", "org.gnome.Console", "org.gnome.Ptyxis",
          "org.kde.konsole", "konsole", "org.kde.yakuake", "xterm", "uxterm", "Alacritty", "kitty", "org.wezfurlong.wezterm",
          "foot", "footclient", "com.gexperts.Tilix", "tilix", "terminator", "xfce4-terminal", "org.xfce.terminal",
          "mate-terminal", "lxterminal", "qterminal", "urxvt", "rxvt", "st-256color", "code", "code-url-handler",
          "code-insiders", "codium", "vscodium", "com.vscodium.codium", "cursor", "co.anysphere.cursor", "windsurf",
          "dev.zed.Zed", "zed", "sublime_text", "sublime-text", "org.gnome.Builder", "org.kde.kate", "emacs", "gvim",
          "jetbrains-idea", "jetbrains-idea-ce", "jetbrains-pycharm", "jetbrains-pycharm-ce", "jetbrains-clion",
          "jetbrains-goland", "jetbrains-webstorm", "jetbrains-phpstorm", "jetbrains-rubymine", "jetbrains-rider",
          "jetbrains-datagrip", "jetbrains-dataspell", "jetbrains-rustrover", "jetbrains-fleet", "jetbrains-gateway",
          "jetbrains-toolbox", "jetbrains-studio", "android-studio"},
         {"gnome-terminal-server", "gnome-terminal", "kgx", "ptyxis", "konsole", "yakuake", "xterm", "uxterm",
          "alacritty", "kitty", "wezterm", "wezterm-gui", "foot", "footclient", "tilix", "terminator", "xfce4-terminal",
          "mate-terminal", "lxterminal", "qterminal", "urxvt", "rxvt", "st", "code", "code-insiders", "codium", "cursor",
          "windsurf", "zed", "zed-editor", "sublime_text", "gnome-builder", "kate", "emacs", "gvim", "idea", "pycharm",
          "clion", "goland", "webstorm", "phpstorm", "rubymine", "rider", "datagrip", "dataspell", "rustrover", "fleet",
          "jetbrains-toolbox", "studio"},
         kDevReason},
        {{"docker-desktop", "io.podman_desktop.PodmanDesktop"},
         {"dockerd", "containerd", "containerd-shim-runc-v2", "docker-desktop", "podman", "conmon", "lxd", "incusd"},
         kContainerReason},
        {{"org.gnome.Shell", "gnome-shell", "org.gnome.Nautilus", "org.kde.plasmashell", "org.kde.dolphin", "thunar",
          "org.xfce.thunar", "nemo", "pcmanfm", "org.gnome.SystemMonitor", "gnome-system-monitor",
          "org.kde.plasma-systemmonitor", "xfce4-taskmanager", "org.gnome.Settings", "gnome-control-center",
          "systemsettings", "xfce4-panel", "xfdesktop"},
         {"systemd", "init", "gnome-shell", "gnome-session-binary", "plasmashell", "kwin_x11", "kwin_wayland", "ksmserver",
          "xfwm4", "xfce4-panel", "xfdesktop", "xfce4-session", "mutter", "openbox", "marco", "xorg", "xwayland",
          "pipewire", "pipewire-pulse", "wireplumber", "pulseaudio", "dbus-daemon", "dbus-broker", "nautilus",
          "dolphin", "thunar", "nemo", "pcmanfm", "gnome-system-monitor", "gnome-control-center", "systemsettings",
          "lightdm", "gdm", "gdm3", "sddm"},
         kSystemReason},
        {{"zoom", "Zoom", "teams-for-linux", "skypeforlinux", "com.skype.Client", "webex", "obs",
          "com.github.wwmm.easyeffects", "simplescreenrecorder", "kazam", "com.uploadedlobster.peek",
          "org.gnome.Snapshot", "wemeetapp", "feishu", "bytedance-feishu", "lark"},
         {"zoom", "zoom.real", "teams", "teams-for-linux", "skypeforlinux", "webex", "obs", "simplescreenrecorder",
          "kazam", "peek", "wemeetapp", "feishu", "lark"},
         kMeetingReason},
        {{"clash-verge", "io.github.clash_verge_rev.clash_verge_rev", "nekoray", "v2rayn", "protonvpn",
          "proton.vpn.app.gtk", "mullvad-vpn", "nordvpn", "expressvpn", "tailscale", "openvpn", "nm-connection-editor"},
         {"clash-verge", "verge-mihomo", "nekoray", "v2ray", "xray", "sing-box", "ss-local", "sslocal", "trojan",
          "openvpn", "openconnect", "vpnc", "wg-quick", "mullvad-daemon", "mullvad-gui", "nordvpnd", "expressvpnd",
          "protonvpn-app", "nm-openvpn-service", "nm-openconnect-service"},
         kNetworkReason},
        {{"com.nextcloud.desktopclient.nextcloud", "nextcloud", "owncloud", "com.owncloud.desktopclient.owncloud",
          "dropbox", "com.dropbox.Client", "insync", "megasync", "nz.mega.MEGAsync", "syncthing", "syncthing-gtk",
          "org.gnome.DejaDup", "timeshift-gtk", "com.github.qarmin.czkawka", "transmission-gtk", "transmission-qt",
          "com.transmissionbt.Transmission", "qbittorrent", "motrix", "baidunetdisk"},
         {"nextcloud", "owncloud", "dropbox", "insync", "megasync", "syncthing", "rclone", "onedrive", "deja-dup",
          "duplicity", "timeshift", "borg", "restic", "transmission-gtk", "transmission-qt", "transmission-daemon",
          "qbittorrent", "qbittorrent-nox", "aria2c", "motrix", "baidunetdisk"},
         kSyncReason},
        {{"org.gnome.seahorse.Application", "seahorse", "com.bitwarden.desktop", "bitwarden", "1password",
          "org.kde.kwalletmanager5", "org.kde.kwalletmanager", "keepassxc", "org.keepassxc.KeePassXC", "keepass2",
          "org.gnome.World.Secrets", "enpass"},
         {"gnome-keyring-daemon", "seahorse", "kwalletd5", "kwalletd6", "kwalletmanager5", "keepassxc", "keepass2",
          "bitwarden", "1password", "enpass", "secrets"},
         kPasswordReason},
        {{"org.fcitx.Fcitx5", "fcitx5", "fcitx", "ibus", "org.freedesktop.IBus", "sogoupinyin", "fcitx-ui-sogou-qimpanel"},
         {"ibus-daemon", "ibus-x11", "ibus-ui-gtk3", "ibus-extension-gtk3", "ibus-engine-libpinyin", "ibus-engine-rime",
          "ibus-engine-simple", "fcitx5", "fcitx", "sogoupinyin-service", "fcitx-qimpanel"},
         kInputReason},
    };
    return rules;
}

const std::vector<SafetyRule>& linuxCautionRules() {
    static const std::vector<SafetyRule> rules{
        {{"firefox", "firefox-esr", "org.mozilla.firefox", "google-chrome", "google-chrome-beta", "google-chrome-unstable",
          "chromium", "chromium-browser", "org.chromium.Chromium", "brave-browser", "com.brave.Browser",
          "microsoft-edge", "microsoft-edge-beta", "microsoft-edge-dev", "opera", "vivaldi-stable", "vivaldi",
          "librewolf", "io.gitlab.librewolf-community", "org.gnome.Epiphany", "falkon", "org.kde.falkon"},
         {"firefox", "firefox-esr", "firefox-bin", "chrome", "chromium", "google-chrome", "brave", "microsoft-edge",
          "msedge", "opera", "vivaldi-bin", "librewolf", "epiphany", "falkon"},
         kBrowserReason},
    };
    return rules;
}

std::vector<SafetyRule> merged(const std::vector<SafetyRule>& base, const std::vector<SafetyRule>& additions) {
    std::vector<SafetyRule> rules = base;
    for (std::size_t i = 0; i < rules.size() && i < additions.size(); ++i) {
        const SafetyRule& extra = additions[i];
        rules[i].bundlePrefixes.insert(rules[i].bundlePrefixes.end(), extra.bundlePrefixes.begin(),
                                       extra.bundlePrefixes.end());
        rules[i].execNames.insert(rules[i].execNames.end(), extra.execNames.begin(), extra.execNames.end());
    }
    return rules;
}

} // namespace corvane::SafetyRules
