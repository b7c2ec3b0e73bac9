#include "disk/FileURL.h"

#include "disk/DiskWhitelist.h"

#include <unistd.h>

#include <cctype>
#include <filesystem>

namespace corvane {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<std::string> filePathOfURL(const std::string& text) {
    constexpr std::string_view scheme = "file:";
    if (text.size() < scheme.size()) return std::nullopt;
    for (std::size_t i = 0; i < scheme.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != scheme[i]) return std::nullopt;
    }
    std::string rest = text.substr(scheme.size());
    if (rest.rfind("//", 0) == 0) {
        const auto slash = rest.find('/', 2);
        const std::string host = rest.substr(2, slash == std::string::npos ? std::string::npos : slash - 2);
        if (!host.empty() && host != "localhost") return std::nullopt;
        rest = slash == std::string::npos ? "/" : rest.substr(slash);
    }
    if (const auto end = rest.find_first_of("?#"); end != std::string::npos) rest.erase(end);
    if (rest.empty() || rest.front() != '/') return std::nullopt;
    std::string path;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] != '%') {
            path += rest[i];
            continue;
        }
        if (i + 2 >= rest.size() || hexValue(rest[i + 1]) < 0 || hexValue(rest[i + 2]) < 0) return std::nullopt;
        path += static_cast<char>(hexValue(rest[i + 1]) * 16 + hexValue(rest[i + 2]));
        i += 2;
    }
    return path;
}

std::string absoluteStandardized(const std::string& path) {
    if (!path.empty() && path.front() == '/') return DiskWhitelist::standardized(path);
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    return DiskWhitelist::standardized((error ? std::string("/") : current.string()) + "/" + path);
}

} // namespace corvane
