#include "apps/HostApplications.h"

#include <array>
#include <iterator>

namespace corvane::HostApplications {

namespace {

/// Terminals and the editors with terminals of their own, where the command-line tools run, each
/// by its desktop IDs and window class (compared ignoring case: "Gnome-terminal", "XTerm").
// clang-format off
constexpr std::string_view terminalsAndEditors[] = {
    "org.gnome.Terminal", "gnome-terminal", "gnome-terminal-server", // GNOME Terminal
    "org.kde.konsole", "konsole",                                     // Konsole
    "xfce4-terminal", "org.xfce.terminal",                            // Xfce Terminal
    "kitty",                                                          // kitty
    "Alacritty", "org.alacritty.Alacritty",                           // Alacritty
    "org.wezfurlong.wezterm", "wezterm",                              // WezTerm
    "com.gexperts.Tilix", "tilix",                                    // Tilix
    "terminator",                                                     // Terminator
    "xterm", "debian-xterm", "uxterm", "debian-uxterm",               // xterm
    "x-terminal-emulator",                                            // Debian's chosen terminal
    "code", "code-url-handler", "com.visualstudio.code", "code-oss",  // Visual Studio Code
    "cursor", "cursor-url-handler",                                   // Cursor
};
// clang-format on

/// One host; the window classes of its own application equal one of its desktop IDs up to case.
struct Host {
    std::string_view id;
    /// Desktop IDs of the host's own application, tried in order when it is opened.
    std::vector<std::string_view> launchIDs;
    /// The tool's sessions also run in terminals and editors.
    bool runsInTerminals{false};
};

const std::array<Host, 3>& hosts() {
    static const std::array<Host, 3> table{{
        {"com.anthropic.claudefordesktop", {"claude-desktop", "com.anthropic.Claude", "claude"}, false},
        // Codex has no application of its own on Linux: its sessions run in terminals and editors.
        {"com.openai.codex", {"codex", "com.openai.Codex", "codex-desktop"}, true},
        {"com.openai.chat", {"chatgpt", "com.openai.ChatGPT"}, false},
    }};
    return table;
}

const Host* find(std::string_view hostID) {
    for (const Host& host : hosts()) {
        if (host.id == hostID) return &host;
    }
    return nullptr;
}

} // namespace

std::vector<std::string> launchIDs(std::string_view hostID) {
    const Host* host = find(hostID);
    if (host == nullptr) return {std::string(hostID)};
    return {host->launchIDs.begin(), host->launchIDs.end()};
}

std::vector<std::string_view> identities(std::string_view hostID) {
    const Host* host = find(hostID);
    if (host == nullptr) return {};
    std::vector<std::string_view> all(host->launchIDs);
    if (host->runsInTerminals) all.insert(all.end(), std::begin(terminalsAndEditors), std::end(terminalsAndEditors));
    return all;
}

} // namespace corvane::HostApplications
