#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::test {

/// A fresh folder under the system's temporary folder, removed with everything in it on
/// destruction. Paths given to the helpers are relative to it; parent folders are created.
class TempDir {
public:
    TempDir();
    /// A fresh folder inside `parent` instead of the system's temporary folder.
    explicit TempDir(const std::string& parent);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    /// The absolute path of `relative`.
    std::string operator/(const std::string& relative) const { return path_ + "/" + relative; }

    /// Writes `content` to `relative`, replacing it; returns the absolute path.
    std::string write(const std::string& relative, const std::string& content) const;
    /// Creates the folder `relative`; returns the absolute path.
    std::string makeDirectory(const std::string& relative) const;
    /// Creates a symbolic link at `relative` pointing at `target` (taken as given).
    std::string symlink(const std::string& target, const std::string& relative) const;

    /// Creates the file `relative` with exactly `bytes` allocated on disk (a multiple of 4,096)
    /// and the same length; returns the absolute path.
    std::string allocate(const std::string& relative, std::uint64_t bytes) const;
    /// Fills the folder `relative` (created if needed) with files until the folder, itself
    /// included, occupies exactly `bytes` (a multiple of 4,096). Files stay below 64 MiB so no
    /// extent index block spoils the count. Returns the absolute path.
    std::string allocateFolder(const std::string& relative, std::uint64_t bytes) const;
    /// Creates a file of `length` bytes with only its first 4,096 bytes written: a sparse file.
    std::string sparse(const std::string& relative, std::uint64_t length) const;
    /// Creates a hard link at `relative` to the existing `existingRelative`.
    std::string hardLink(const std::string& existingRelative, const std::string& relative) const;
    /// Creates the folder `relative` with one file inside and takes away every permission, so
    /// that (for anyone but root) it can neither be listed nor entered. Restored before removal.
    std::string unreadableFolder(const std::string& relative);
    /// Sets the modification time of `relative` (not following a final link) to `unixSeconds`.
    void setModified(const std::string& relative, double unixSeconds) const;
    /// Allocated bytes of `relative` itself (blocks × 512, not following a final link).
    std::uint64_t allocatedBytes(const std::string& relative) const;

    /// Runs `git` with `arguments` in `relative` (the root when empty), isolated from the user's
    /// and system configuration; throws when it fails. Returns standard output.
    std::string git(const std::string& relative, const std::string& arguments) const;
    /// A bare repository at `remote` and a clone of it at `clone` with one pushed commit on
    /// branch main that ignores the folder "big/".
    void gitRepositoryWithRemote(const std::string& remote, const std::string& clone) const;

private:
    std::string path_;
    std::vector<std::string> lockedFolders_;
};

} // namespace corvane::test
