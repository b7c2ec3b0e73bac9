#include "support/TempDir.h"

#include "support/ShellCommand.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace corvane::test {

namespace fs = std::filesystem;

TempDir::TempDir() : TempDir(fs::temp_directory_path().string()) {}

TempDir::TempDir(const std::string& parent) {
    std::string pattern = (fs::path(parent) / "corvane-test-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = buffer.data();
}

TempDir::~TempDir() {
    std::error_code ignored;
    for (const std::string& folder : lockedFolders_) ::chmod(folder.c_str(), 0755);
    fs::remove_all(path_, ignored);
}

std::string TempDir::write(const std::string& relative, const std::string& content) const {
    const fs::path target = fs::path(path_) / relative;
    fs::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out << content;
    return target.string();
}

std::string TempDir::makeDirectory(const std::string& relative) const {
    const fs::path target = fs::path(path_) / relative;
    fs::create_directories(target);
    return target.string();
}

std::string TempDir::symlink(const std::string& target, const std::string& relative) const {
    const fs::path link = fs::path(path_) / relative;
    fs::create_directories(link.parent_path());
    fs::create_symlink(target, link);
    return link.string();
}

namespace {

constexpr std::uint64_t largestChunk = 32ULL * 1024 * 1024;

void allocateFile(const fs::path& target, std::uint64_t bytes) {
    fs::create_directories(target.parent_path());
    const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) throw std::runtime_error("cannot create " + target.string());
    const int failed = bytes == 0 ? 0 : ::posix_fallocate(fd, 0, static_cast<off_t>(bytes));
    ::close(fd);
    if (failed != 0) throw std::runtime_error("posix_fallocate failed for " + target.string());
}

std::uint64_t blocksOf(const std::string& path) {
    struct stat status;
    if (::lstat(path.c_str(), &status) != 0) throw std::runtime_error("lstat failed for " + path);
    return static_cast<std::uint64_t>(status.st_blocks) * 512;
}

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

} // namespace

std::string TempDir::allocate(const std::string& relative, std::uint64_t bytes) const {
    const fs::path target = fs::path(path_) / relative;
    allocateFile(target, bytes);
    return target.string();
}

std::string TempDir::allocateFolder(const std::string& relative, std::uint64_t bytes) const {
    const std::string folder = makeDirectory(relative);
    const std::uint64_t own = blocksOf(folder);
    if (bytes < own) throw std::runtime_error("folder " + relative + " is already larger than asked");
    std::uint64_t left = bytes - own;
    for (int index = 0; left > 0; ++index) {
        const std::uint64_t chunk = std::min(left, largestChunk);
        allocateFile(fs::path(folder) / ("part-" + std::to_string(index)), chunk);
        left -= chunk;
    }
    if (blocksOf(folder) != own) throw std::runtime_error("folder " + relative + " grew while being filled");
    return folder;
}

std::string TempDir::sparse(const std::string& relative, std::uint64_t length) const {
    const std::string target = write(relative, std::string(4096, 'x'));
    if (::truncate(target.c_str(), static_cast<off_t>(length)) != 0) throw std::runtime_error("truncate failed");
    return target;
}

std::string TempDir::hardLink(const std::string& existingRelative, const std::string& relative) const {
    const fs::path link = fs::path(path_) / relative;
    fs::create_directories(link.parent_path());
    fs::create_hard_link(fs::path(path_) / existingRelative, link);
    return link.string();
}

std::string TempDir::unreadableFolder(const std::string& relative) {
    write(relative + "/inside", std::string(8192, 'x'));
    const std::string folder = *this / relative;
    if (::chmod(folder.c_str(), 0) != 0) throw std::runtime_error("chmod failed");
    lockedFolders_.push_back(folder);
    return folder;
}

void TempDir::setModified(const std::string& relative, double unixSeconds) const {
    const auto whole = static_cast<time_t>(unixSeconds);
    const timespec times[2] = {{whole, 0}, {whole, 0}};
    if (::utimensat(AT_FDCWD, (*this / relative).c_str(), times, AT_SYMLINK_NOFOLLOW) != 0) {
        throw std::runtime_error("utimensat failed for " + relative);
    }
}

std::uint64_t TempDir::allocatedBytes(const std::string& relative) const {
    return blocksOf(*this / relative);
}

std::string TempDir::git(const std::string& relative, const std::string& arguments) const {
    const std::string where = relative.empty() ? path_ : *this / relative;
    const std::string command = "GIT_CONFIG_GLOBAL=/dev/null GIT_CONFIG_NOSYSTEM=1 GIT_AUTHOR_NAME=t "
                                "GIT_AUTHOR_EMAIL=t@example.com GIT_COMMITTER_NAME=t GIT_COMMITTER_EMAIL=t@example.com "
                                "git -C " + quoted(where) + " " + arguments + " 2>/dev/null";
    const ShellResult result = runShell(command);
    if (result.status != 0) throw std::runtime_error("git " + arguments + " failed in " + where);
    return result.out;
}

void TempDir::gitRepositoryWithRemote(const std::string& remote, const std::string& clone) const {
    makeDirectory(remote);
    git(remote, "init -q --bare -b main");
    makeDirectory(clone);
    git(clone, "init -q -b main");
    write(clone + "/.gitignore", "big/\n");
    write(clone + "/README", "hello\n");
    git(clone, "add .gitignore README");
    git(clone, "commit -q -m first");
    git(clone, "remote add origin " + quoted(*this / remote));
    git(clone, "push -q -u origin main");
}

} // namespace corvane::test
