#include "apps/linux/X11Display.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using Kind = X11Endpoint::Kind;

TEST(X11Display, DisplayNamesGiveTheEndpointsInTheOrderToTry) {
    const auto local = parseDisplayName(":3.1");
    ASSERT_TRUE(local);
    EXPECT_EQ(local->display, 3);
    EXPECT_EQ(local->screen, 1);
    EXPECT_EQ(local->endpoints, (std::vector<X11Endpoint>{{Kind::abstractSocket, "/tmp/.X11-unix/X3", 0},
                                                          {Kind::socketFile, "/tmp/.X11-unix/X3", 0},
                                                          {Kind::tcp, "localhost", 6003}}));
    EXPECT_EQ(parseDisplayName("unix:0")->endpoints.size(), 2u) << "a unix display never falls back to TCP";
    EXPECT_EQ(parseDisplayName("unix/:0")->endpoints.size(), 3u);

    const struct {
        const char* display;
        X11Endpoint endpoint;
    } remote[] = {
        {"127.0.0.1:10", {Kind::tcp, "127.0.0.1", 6010}},
        {"box.example.org:0.0", {Kind::tcp, "box.example.org", 6000}},
        {"tcp/box:2", {Kind::tcp, "box", 6002}},
        {"[::1]:1", {Kind::tcp, "[::1]", 6001}},
    };
    for (const auto& row : remote) {
        const auto name = parseDisplayName(row.display);
        ASSERT_TRUE(name) << row.display;
        EXPECT_EQ(name->endpoints, std::vector<X11Endpoint>{row.endpoint}) << row.display;
    }
    for (const char* bad : {"", "box", ":", ":x", ":1.x", ":60000"}) EXPECT_FALSE(parseDisplayName(bad)) << bad;
}

} // namespace
} // namespace corvane
