#include "DesktopSwitchWatcher.h"
#include "HoverStrip.h"
#include "OutsideClickWatcher.h"
#include "XSession.h"

#include "CorvaneUi/RunEvents.h"
#include "support/ShellCommand.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QScreen>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xinput.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>

namespace corvane {
namespace {

using test::ChildProcess;
using test::runEventsFor;
using test::runEventsUntil;
using test::runShell;

/// A private X server with openbox, and Qt on it through its X11 platform.
class IslandInputsLive : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(session_.failure(), "");
        app_ = std::make_unique<QApplication>(argc_, argv_);
    }

    test::XSession session_;
    test::ScopedEnvironment platform_{"QT_QPA_PLATFORM", "xcb"};
    int argc_{1};
    char name_[18] = "island-input-test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

/// Moves the real pointer (XTest) and waits until the server has it there; `then` are more
/// xdotool commands, e.g. "click 1".
void pointer(int x, int y, const std::string& then = "") {
    ChildProcess move({"sh", "-c", "xdotool mousemove --sync " + std::to_string(x) + " " + std::to_string(y) + " " + then});
    runEventsUntil([&] { return move.exited(); });
}

std::size_t occurrences(const std::string& path, const std::string& word) {
    std::ifstream in(path);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::size_t count = 0;
    for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++count;
    return count;
}

xcb_connection_t* qtConnection() { return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection(); }

/// The XInput events this client (Qt's connection) selects on the root window, by device.
std::map<int, std::uint32_t> rootSelections() {
    xcb_connection_t* c = qtConnection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    std::unique_ptr<xcb_input_xi_get_selected_events_reply_t, decltype(&std::free)> reply(
        xcb_input_xi_get_selected_events_reply(c, xcb_input_xi_get_selected_events(c, root), nullptr), &std::free);
    std::map<int, std::uint32_t> masks;
    if (!reply) return masks;
    for (auto it = xcb_input_xi_get_selected_events_masks_iterator(reply.get()); it.rem > 0;
         xcb_input_event_mask_next(&it)) {
        masks[it.data->deviceid] = it.data->mask_len > 0 ? xcb_input_event_mask_mask(it.data)[0] : 0;
    }
    return masks;
}

/// Clicks on another client's window reach the watcher only while it is started, only for the
/// left and right buttons, and the other window still gets every click.
TEST_F(IslandInputsLive, PressesAnywhereAreSeenOnlyWhileStartedAndStillReachTheirWindow) {
    const test::TempDir folder;
    const std::string events = folder / "xev.txt";
    ChildProcess xev({"sh", "-c", "exec xev -geometry 300x200+500+400 -event button > " + events});
    ASSERT_TRUE(runEventsUntil([] { return runShell("xdotool search --onlyvisible --name 'Event Tester'").status == 0; }));

    OutsideClickWatcher watcher;
    std::vector<QPoint> presses;
    QObject::connect(&watcher, &OutsideClickWatcher::pressed, [&](QPoint at) { presses.push_back(at); });
    // Stopped, nothing is selected; started, raw presses of the master devices are, beside Qt's
    // own selections, which stay as they were.
    const auto qtOwn = rootSelections();
    EXPECT_EQ(qtOwn.count(XCB_INPUT_DEVICE_ALL_MASTER), 0U);
    watcher.start();
    watcher.start();
    ASSERT_TRUE(watcher.started());
    auto selected = rootSelections();
    EXPECT_EQ(selected[XCB_INPUT_DEVICE_ALL_MASTER], std::uint32_t{XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS});
    selected.erase(XCB_INPUT_DEVICE_ALL_MASTER);
    EXPECT_EQ(selected, qtOwn);
    pointer(600, 500, "click 1");
    ASSERT_TRUE(runEventsUntil([&] { return presses.size() == 1; }));
    EXPECT_EQ(presses[0], QPoint(600, 500));
    // The wheel's presses are not clicks; the right button's is.
    pointer(610, 520, "click 4 click 3");
    ASSERT_TRUE(runEventsUntil([&] { return presses.size() == 2; }));
    runEventsFor(300);
    EXPECT_EQ(presses.size(), 2U);
    EXPECT_EQ(presses[1], QPoint(610, 520));

    watcher.stop();
    EXPECT_FALSE(watcher.started());
    EXPECT_EQ(rootSelections(), qtOwn);
    pointer(620, 540, "click 1");
    runEventsFor(500);
    EXPECT_EQ(presses.size(), 2U);
    // xev saw all four presses: the watcher took none of them away.
    EXPECT_TRUE(runEventsUntil([&] { return occurrences(events, "ButtonPress") == 4; }))
        << occurrences(events, "ButtonPress");
}

/// Switching desktops is told once per real change; selecting the current desktop again is not.
TEST_F(IslandInputsLive, SwitchingToAnotherDesktopIsToldOnce) {
    ASSERT_EQ(runShell("wmctrl -s 0").status, 0);
    runEventsFor(200);
    DesktopSwitchWatcher watcher;
    int switches = 0;
    QObject::connect(&watcher, &DesktopSwitchWatcher::switched, [&] { ++switches; });
    ASSERT_EQ(runShell("wmctrl -s 1").status, 0);
    EXPECT_TRUE(runEventsUntil([&] { return switches == 1; }));
    ASSERT_EQ(runShell("wmctrl -s 1").status, 0);
    runEventsFor(400);
    EXPECT_EQ(switches, 1);
    ASSERT_EQ(runShell("wmctrl -s 0").status, 0);
    EXPECT_TRUE(runEventsUntil([&] { return switches == 2; }));
}

/// Where the X server shows a window: x, y, width, height.
std::vector<int> placement(std::uint32_t window) {
    const auto info = runShell("xwininfo -id " + std::to_string(window));
    std::vector<int> values;
    for (const char* label : {"Absolute upper-left X:", "Absolute upper-left Y:", "Width:", "Height:"}) {
        const auto at = info.out.find(label);
        values.push_back(at == std::string::npos ? -1 : std::stoi(info.out.substr(at + std::strlen(label))));
    }
    return values;
}

/// The root window's pixels in `area` (root coordinates) as the server shows them.
std::vector<std::uint8_t> screenPixels(const QRect& area) {
    xcb_connection_t* c = qtConnection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> image(
        xcb_get_image_reply(c,
                            xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, root, static_cast<std::int16_t>(area.x()),
                                          static_cast<std::int16_t>(area.y()), static_cast<std::uint16_t>(area.width()),
                                          static_cast<std::uint16_t>(area.height()), ~0U),
                            nullptr),
        &std::free);
    if (!image) return {};
    const std::uint8_t* data = xcb_get_image_data(image.get());
    return {data, data + xcb_get_image_data_length(image.get())};
}

/// The root window's child on top of all others.
xcb_window_t topmostWindow() {
    xcb_connection_t* c = qtConnection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
        xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr), &std::free);
    if (!tree || tree->children_len == 0) return XCB_WINDOW_NONE;
    return xcb_query_tree_children(tree.get())[tree->children_len - 1];
}

/// Paints the root window's background white, so anything drawn over it shows.
void whitenDesktop() {
    xcb_connection_t* c = qtConnection();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    xcb_change_window_attributes(c, screen->root, XCB_CW_BACK_PIXEL, &screen->white_pixel);
    xcb_clear_area(c, 0, screen->root, 0, 0, 0, 0);
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

/// The strip sits at the top centre, moves under a top panel when one appears, is raised above
/// the user's windows, draws nothing over what lies beneath (no compositor here), never takes the focus, and
/// reports the real pointer's moves and clicks, also when it appears under the pointer.
TEST_F(IslandInputsLive, StripSitsUnderTheTopPanelDrawsNothingAndReportsThePointer) {
    HoverStrip strip;
    std::vector<std::string> heard;
    QObject::connect(&strip, &HoverStrip::entered, [&] { heard.emplace_back("entered"); });
    QObject::connect(&strip, &HoverStrip::exited, [&] { heard.emplace_back("exited"); });
    QObject::connect(&strip, &HoverStrip::clicked, [&] { heard.emplace_back("clicked"); });
    ASSERT_NE(strip.windowId(), 0U);
    const std::string id = std::to_string(strip.windowId());
    // The user works in another window, which keeps the keyboard throughout.
    ChildProcess work({"xev", "-geometry", "200x100+50+400", "-event", "button"});
    std::string focused;
    ASSERT_TRUE(runEventsUntil([&] {
        focused = runShell("xdotool search --onlyvisible --name 'Event Tester'").out;
        return !focused.empty() && runShell("xdotool getwindowfocus").out == focused;
    }));
    whitenDesktop();
    const QRect atTopArea(446, 0, 132, 5);
    const auto before = screenPixels(atTopArea.adjusted(-4, 0, 4, 4));
    ASSERT_FALSE(before.empty());
    strip.setPresent(true);
    const std::vector<int> atTop{446, 0, 132, 5};
    EXPECT_TRUE(runEventsUntil([&] { return placement(strip.windowId()) == atTop; }));
    const std::string info = runShell("xwininfo -id " + id).out;
    EXPECT_NE(info.find("Class: InputOnly"), std::string::npos) << info;
    EXPECT_NE(info.find("Override Redirect State: yes"), std::string::npos) << info;
    runEventsFor(200);
    EXPECT_EQ(screenPixels(atTopArea.adjusted(-4, 0, 4, 4)), before);
    // It was made before the user's window and still shows above it.
    EXPECT_EQ(topmostWindow(), strip.windowId());

    // trayer is a dock with a 32-pixel strut along the top: the desktop's top panel.
    ChildProcess panel({"trayer", "--edge", "top", "--align", "right", "--widthtype", "request", "--height", "32",
                        "--SetPartialStrut", "true", "--SetDockType", "true"});
    const std::vector<int> underPanel{446, 32, 132, 5};
    EXPECT_TRUE(runEventsUntil([&] { return placement(strip.windowId()) == underPanel; }))
        << placement(strip.windowId())[1];
    EXPECT_EQ(runShell("xdotool getwindowfocus").out, focused);

    pointer(512, 34);
    EXPECT_TRUE(runEventsUntil([&] { return heard.size() == 1; }));
    EXPECT_TRUE(strip.pointerInside());
    pointer(512, 60);
    EXPECT_TRUE(runEventsUntil([&] { return heard.size() == 2; }));
    EXPECT_FALSE(strip.pointerInside());
    // Other buttons are not clicks.
    pointer(450, 33, "click 3 click 1");
    EXPECT_TRUE(runEventsUntil([&] { return heard.size() == 4; }));
    runEventsFor(200);
    EXPECT_EQ(heard, (std::vector<std::string>{"entered", "exited", "entered", "clicked"}));
    EXPECT_EQ(runShell("xdotool getwindowfocus").out, focused);

    // Going away under the pointer is leaving; appearing under it is entering.
    strip.setPresent(false);
    EXPECT_TRUE(runEventsUntil([&] { return runShell("xwininfo -id " + id).out.find("IsUnMapped") != std::string::npos; }));
    strip.setPresent(true);
    EXPECT_TRUE(runEventsUntil([&] { return heard.size() == 6; }));
    runEventsFor(200);
    EXPECT_EQ(std::vector<std::string>(heard.begin() + 4, heard.end()), (std::vector<std::string>{"exited", "entered"}));
    EXPECT_TRUE(strip.pointerInside());
}

} // namespace
} // namespace corvane
