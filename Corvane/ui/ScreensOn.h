#pragma once

#include <functional>
#include <optional>

namespace corvane {

/// Whether the screens are on; absent when that cannot be told.
using ScreensOnReader = std::function<std::optional<bool>()>;

/// The display server's power state of the screens, read on a connection of the reader's own,
/// opened on first use. Absent without a display server, without the power-management extension,
/// or once the connection has failed. Each reading is one short round trip to the display server;
/// call it from one thread.
ScreensOnReader systemScreensOnReader();

} // namespace corvane
