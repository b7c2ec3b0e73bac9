#pragma once

#include <QObject>

#include <cstdint>
#include <memory>

class QScreen;

namespace corvane {

class XPointerStrip;

/// A thin strip at the top centre of the primary screen, right under the desktop's top panel,
/// through which the pointer opens the island where no tray item exists. The window system
/// never draws it (an input-only window): it hides nothing beneath, with or without a
/// compositor, and a window the user moves over the spot takes the pointer there. It never
/// takes the keyboard focus, is raised each time it appears, and follows the primary screen
/// and its top panel. Absent until `setPresent(true)`; without an X server it does nothing.
/// Main thread only.
class HoverStrip final : public QObject {
    Q_OBJECT

public:
    explicit HoverStrip(QObject* parent = nullptr);
    ~HoverStrip() override;

    /// Shows (true) or hides the strip.
    void setPresent(bool present);
    /// True while the strip is shown and the pointer is on it.
    bool pointerInside() const;
    /// The window system's id of the strip's window; 0 without one.
    std::uint32_t windowId() const;

signals:
    /// The pointer came onto the strip.
    void entered();
    /// The pointer left the strip, or the strip went while the pointer was on it.
    void exited();
    /// The strip was clicked with the left button.
    void clicked();

private:
    void followPrimaryScreen(QScreen* screen);
    void place();

    std::unique_ptr<XPointerStrip> window_;
    QMetaObject::Connection geometryConnection_;
    QMetaObject::Connection availableGeometryConnection_;
};

} // namespace corvane
