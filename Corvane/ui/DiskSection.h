#pragma once

#include "views/DiskSection.h"

#include <QWidget>

#include <functional>

class QLabel;

namespace corvane {

class DashButton;
class SymbolView;

/// The disk section: how full the disk is, the free space, measuring what can be freed, the
/// button to the clean screen and the last clean result.
class DiskSection final : public QWidget {
    Q_OBJECT

public:
    /// `onMeasure` starts a scan; `onClean` opens the clean screen.
    DiskSection(std::function<void()> onMeasure, std::function<void()> onClean, QWidget* parent = nullptr);

    void display(const DiskSectionView& view);

private:
    QLabel* title_;
    SymbolView* stateIcon_;
    QLabel* state_;
    QLabel* free_;
    DashButton* measure_;
    QLabel* measured_;
    DashButton* clean_;
    QLabel* result_;
};

} // namespace corvane
