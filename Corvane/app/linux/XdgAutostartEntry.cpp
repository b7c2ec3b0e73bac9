#include "app/linux/XdgAutostartEntry.h"

#include "support/HomeDirectory.h"
#include "support/PathText.h"
#include "support/RegularFile.h"
#include "support/SplitText.h"
#include "support/UniqueFd.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string_view>

namespace corvane {

namespace {

constexpr const char* entryName = "corvane.desktop";
constexpr std::size_t maxEntryBytes = 65536;

bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// An executable path the entry can name: a control character cannot travel through the
// one-line Exec key.
bool nameable(const std::string& executable) {
    return !executable.empty() &&
           std::none_of(executable.begin(), executable.end(), [](unsigned char c) { return c < 0x20 || c == 0x7f; });
}

} // namespace

XdgAutostartEntry::XdgAutostartEntry(std::string folder, std::string executable)
    : folder_(std::move(folder)), executable_(std::move(executable)) {}

std::string XdgAutostartEntry::defaultFolder() {
    const std::string config =
        absolutePathFromEnvironment("XDG_CONFIG_HOME").value_or(joinPath(homeDirectory(), ".config"));
    return joinPath(config, "autostart");
}

std::string XdgAutostartEntry::runningExecutable() {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

std::string XdgAutostartEntry::entryText(const std::string& executable) {
    // Exec takes a quoted argument (", `, $ and \ escaped by a backslash) inside a string value
    // (where a backslash is itself escaped), and % starts a field code unless doubled.
    std::string quoted = "\"";
    for (const char c : executable) {
        if (c == '"' || c == '`' || c == '$') {
            quoted += "\\\\";
            quoted += c;
        } else if (c == '\\') {
            quoted += "\\\\\\\\";
        } else if (c == '%') {
            quoted += "%%";
        } else {
            quoted += c;
        }
    }
    quoted += '"';
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Corvane\n"
           "Exec=" +
           quoted +
           "\n"
           "X-GNOME-Autostart-enabled=true\n";
}

bool XdgAutostartEntry::isEnabled() const {
    const std::optional<std::string> text = readRegularFile(joinPath(folder_, entryName), maxEntryBytes);
    if (!text) return false;
    for (const std::string& line : splitNonEmpty(*text, '\n')) {
        if (line == "Hidden=true" || line == "X-GNOME-Autostart-enabled=false") return false;
    }
    return true;
}

bool XdgAutostartEntry::setEnabled(bool enabled) {
    const std::string path = joinPath(folder_, entryName);
    if (!enabled) return ::unlink(path.c_str()) == 0 || errno == ENOENT;
    if (!nameable(executable_)) return false;

    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    if (error) return false;
    std::string temporary = joinPath(folder_, ".corvane.desktop.XXXXXX");
    const UniqueFd fd(::mkstemp(temporary.data()));
    if (!fd) return false;
    const bool written = ::fchmod(fd.get(), 0644) == 0 && writeAll(fd.get(), entryText(executable_)) &&
                         ::fsync(fd.get()) == 0 && ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!written) ::unlink(temporary.c_str());
    return written;
}

} // namespace corvane
