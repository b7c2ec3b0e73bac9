#pragma once

#include <dirent.h>

#include <memory>
#include <string>

namespace corvane {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

/// Owns one open directory stream; null when the directory could not be opened.
using UniqueDir = std::unique_ptr<DIR, DirCloser>;

inline UniqueDir openDirectory(const std::string& path) {
    return UniqueDir(::opendir(path.c_str()));
}

} // namespace corvane
