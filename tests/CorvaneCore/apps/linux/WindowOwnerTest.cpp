#include "apps/linux/WindowOwner.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(WindowOwner, ServerDecidesAndAClaimCountsOnlyWithoutItFromThisHost) {
    const std::optional<std::int32_t> none;
    const struct {
        const char* what;
        WindowOwnerEvidence evidence;
        std::optional<std::int32_t> owner;
    } table[] = {
        {"claim agrees with the server", {true, 10, 10, "box"}, 10},
        {"false claim: the server's answer wins", {true, 10, 99, "box"}, 10},
        {"no claim: the server's answer", {true, 10, none, std::nullopt}, 10},
        {"server cannot tell (network client)", {true, none, 99, "box"}, none},
        {"window of another machine", {true, 10, 99, "elsewhere"}, none},
        {"no X-Resource, claim from this host", {false, none, 99, "box"}, 99},
        {"no X-Resource, qualified name of this host", {false, none, 99, "box.example.org"}, 99},
        {"no X-Resource, no machine named", {false, none, 99, std::nullopt}, none},
        {"no X-Resource, claim from another machine", {false, none, 99, "elsewhere"}, none},
        {"no X-Resource, no claim", {false, none, none, "box"}, none},
    };
    for (const auto& row : table) EXPECT_EQ(establishedOwner(row.evidence, "box"), row.owner) << row.what;
}

TEST(WindowOwner, HostNamesMatchBareOrQualifiedButNotAcrossDomains) {
    EXPECT_TRUE(namesHost("box", "box"));
    EXPECT_TRUE(namesHost("box.example.org", "box"));
    EXPECT_TRUE(namesHost("box", "box.example.org"));
    EXPECT_FALSE(namesHost("box.a.org", "box.b.org"));
    EXPECT_FALSE(namesHost("boxer", "box"));
    EXPECT_FALSE(namesHost("", "box"));
    EXPECT_FALSE(namesHost("box", ""));
}

} // namespace
} // namespace corvane
