#include "ScreensOn.h"

#include "apps/linux/X11Connection.h"

#include <xcb/dpms.h>

#include <cstdlib>
#include <memory>

namespace corvane {

namespace {

class DpmsReader {
public:
    std::optional<bool> screensOn() {
        if (!tried_) {
            // Tried once: connecting to a display server that does not answer waits about a
            // second, which must not repeat on the interface thread.
            tried_ = true;
            connection_ = X11Connection::open();
            if (connection_) {
                const xcb_query_extension_reply_t* dpms = xcb_get_extension_data(connection_->xcb(), &xcb_dpms_id);
                // A request of a missing extension would close the connection.
                if (dpms == nullptr || dpms->present == 0) connection_.reset();
            }
        }
        if (!connection_ || connection_->broken()) return std::nullopt;
        xcb_connection_t* c = connection_->xcb();
        std::unique_ptr<xcb_dpms_info_reply_t, decltype(&std::free)> info(
            xcb_dpms_info_reply(c, xcb_dpms_info(c), nullptr), &std::free);
        if (!info) return std::nullopt;
        return info->state == 0 || info->power_level == XCB_DPMS_DPMS_MODE_ON;
    }

private:
    bool tried_{false};
    std::unique_ptr<X11Connection> connection_;
};

} // namespace

ScreensOnReader systemScreensOnReader() {
    auto reader = std::make_shared<DpmsReader>();
    return [reader] { return reader->screensOn(); };
}

} // namespace corvane
