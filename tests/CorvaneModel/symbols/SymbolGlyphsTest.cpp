#include "symbols/SymbolGlyphs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>

namespace corvane {
namespace {

/// The codepoints list shipped with the installed icon font (scripts/install-deps installs it).
constexpr const char* codepointsFile = "/usr/share/fonts-material-design-icons-iconfont/scss/_variables.scss";

std::map<std::string, char32_t> installedCodepoints() {
    std::ifstream in(codepointsFile);
    std::map<std::string, char32_t> out;
    const std::regex entry(R"re(^\s*"([a-z0-9_]+)":\s*([0-9a-f]+),?\s*$)re");
    std::string line;
    std::smatch m;
    while (std::getline(in, line)) {
        if (std::regex_match(line, m, entry)) out[m[1]] = static_cast<char32_t>(std::stoul(m[2], nullptr, 16));
    }
    return out;
}

TEST(SymbolGlyphs, EveryGlyphExistsInTheInstalledFont) {
    ASSERT_TRUE(std::filesystem::exists(materialIconsFontPath)) << "run scripts/install-deps";
    const auto codepoints = installedCodepoints();
    ASSERT_GT(codepoints.size(), 1000u) << "could not read " << codepointsFile;
    for (const SymbolGlyph& g : symbolGlyphs) {
        const auto it = codepoints.find(std::string(g.glyphName));
        ASSERT_NE(it, codepoints.end()) << g.glyphName;
        EXPECT_EQ(it->second, g.codepoint) << g.glyphName;
    }
}

TEST(SymbolGlyphs, DistinctSymbolsGetDistinctGlyphs) {
    std::set<char32_t> seen;
    for (const SymbolGlyph& g : symbolGlyphs)
        EXPECT_TRUE(seen.insert(g.codepoint).second) << g.glyphName;
}

} // namespace
} // namespace corvane
