#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace corvane::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "corvane-test-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = buffer.data();
}

TempDir::~TempDir() {
    std::error_code ignored;
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

} // namespace corvane::test
