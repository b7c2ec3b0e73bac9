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

TEST(SymbolGlyphs, EverySymbolTheInterfaceNamesHasAGlyph) {
    // Each icon name the dashboard, wings, status item and menus draw.
    const std::set<std::string_view> names{"memorychip",
                                           "exclamationmark.triangle",
                                           "exclamationmark.triangle.fill",
                                           "xmark.octagon.fill",
                                           "checkmark.circle.fill",
                                           "bell.badge.fill",
                                           "internaldrive.fill",
                                           "sparkles",
                                           "gearshape",
                                           "xmark",
                                           "waveform.path.ecg",
                                           "chevron.right",
                                           "chevron.backward",
                                           "terminal.fill",
                                           "chevron.left.forwardslash.chevron.right",
                                           "checkmark.square.fill",
                                           "info.circle",
                                           "lock.fill",
                                           "ellipsis"};
    for (std::string_view name : names)
        EXPECT_TRUE(glyphForSymbol(name).has_value()) << name;
    EXPECT_EQ(symbolGlyphs.size(), names.size()) << "the table maps a name nothing uses";
    EXPECT_FALSE(glyphForSymbol("memorychip.fill").has_value());
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
    std::set<std::string_view> symbols;
    for (const SymbolGlyph& g : symbolGlyphs) {
        EXPECT_TRUE(seen.insert(g.codepoint).second) << g.glyphName;
        EXPECT_TRUE(symbols.insert(g.symbol).second) << g.symbol;
    }
}

} // namespace
} // namespace corvane
