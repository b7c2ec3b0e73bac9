#pragma once

#include "views/IdleStat.h"
#include "views/MemoryColumn.h"

#include <QWidget>

#include <functional>

class QLabel;

namespace corvane {

class DashButton;
class IdleStatPanel;
class StatBarView;

/// The memory column: the used share, swap while it is in use, the idle-software figure, the
/// last optimize result and, under pressure, the button to the optimize screen.
class MemoryColumn final : public QWidget {
    Q_OBJECT

public:
    /// `onOptimize` opens the optimize screen; `onReclaim` starts the one-click path.
    MemoryColumn(std::function<void()> onOptimize, std::function<void()> onReclaim, QWidget* parent = nullptr);

    /// Draws the column; `idleHovered` freezes the idle figure in its hover state.
    void display(const MemoryColumnView& view, const IdleStatView& idle, bool idleHovered);

private:
    StatBarView* memory_;
    StatBarView* swap_;
    IdleStatPanel* idle_;
    QLabel* result_;
    DashButton* optimize_;
};

} // namespace corvane
