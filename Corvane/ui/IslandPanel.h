#pragma once

#include "views/DashboardContext.h"

#include <QPointer>
#include <QWidget>

#include <functional>

namespace corvane {

/// A frameless, always-on-top tool window of the island (the dashboard or a wings notice),
/// filled black within its rounded shape. It never takes the keyboard focus unless allowed, so
/// showing it leaves the user's window focused. Without a compositor the rounded shape is cut
/// with a mask, since nothing can be transparent there. Main thread only.
class IslandPanel final : public QWidget {
    Q_OBJECT

public:
    /// How the content sits in the panel: filling it, or at its own size centred horizontally
    /// and touching the top (it is clipped while the panel is smaller).
    enum class Placement { fill, topCentre };

    /// `translucent`: a compositor runs, so the corners can be see-through.
    explicit IslandPanel(bool translucent);

    /// Takes ownership of `content` and places it.
    void setContent(QWidget* content, Placement placement);
    QWidget* content() const { return content_; }

    void setShape(RoundedCorners corners, double radius);
    double cornerRadius() const { return radius_; }

    /// True: the panel may take the keyboard and is activated; false: it refuses focus again.
    void setAllowKey(bool allow);
    bool allowKey() const { return allowKey_; }

    /// Invisible and transparent for the pointer (the developer's stress mode). Before showing.
    void makeGhost();

    /// The Escape key, a pointer entering or leaving the panel, and a left button press anywhere
    /// in it (seen before any control inside handles it).
    std::function<void()> onEscape = [] {};
    std::function<void()> onEnter = [] {};
    std::function<void()> onExit = [] {};
    std::function<void()> onPress = [] {};

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeContent();
    void updateMask();

    bool translucent_;
    QPointer<QWidget> content_;
    Placement placement_{Placement::fill};
    RoundedCorners corners_{RoundedCorners::all};
    double radius_{0};
    bool allowKey_{false};
    bool watchingPresses_{false};
};

} // namespace corvane
