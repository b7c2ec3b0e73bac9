#pragma once

namespace corvane {

/// Whether a compositing manager runs on the display Qt uses, so top-level windows can be
/// translucent. False on platforms without one (offscreen).
bool compositorRunning();

} // namespace corvane
