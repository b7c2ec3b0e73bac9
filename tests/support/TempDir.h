#pragma once

#include <cstdint>
#include <string>

namespace corvane::test {

/// A fresh folder under the system's temporary folder, removed with everything in it on
/// destruction. Paths given to the helpers are relative to it; parent folders are created.
class TempDir {
public:
    TempDir();
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

private:
    std::string path_;
};

} // namespace corvane::test
