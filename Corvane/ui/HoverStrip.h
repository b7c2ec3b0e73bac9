#pragma once

#include <QWidget>

namespace corvane {

/// A thin strip at the top centre of the primary screen, right under the desktop's top panel,
/// through which the pointer opens the island where no tray item exists. It draws nothing a
/// person can see (a 1% black under a compositor; where none runs the window system paints that
/// as a hairline of black under the panel), never takes the keyboard focus, stays above other
/// windows and follows the primary screen and its top panel. Hidden until `setPresent(true)`.
/// Main thread only.
class HoverStrip final : public QWidget {
    Q_OBJECT

public:
    explicit HoverStrip(QWidget* parent = nullptr);

    /// Shows (true) or hides the strip.
    void setPresent(bool present);

signals:
    /// The pointer came onto the strip.
    void entered();
    /// The pointer left the strip.
    void exited();
    /// The strip was clicked with the left button.
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void followPrimaryScreen(QScreen* screen);
    void place();

    QMetaObject::Connection geometryConnection_;
    QMetaObject::Connection availableGeometryConnection_;
};

} // namespace corvane
