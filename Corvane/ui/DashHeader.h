#pragma once

#include "views/DashHeader.h"

#include <QWidget>

#include <functional>

class QLabel;

namespace corvane {

class DashButton;
class SymbolView;

/// The dashboard's header line: the AI or memory summary on the left, the settings and close
/// buttons on the right.
class DashHeader final : public QWidget {
    Q_OBJECT

public:
    DashHeader(std::function<void()> onSettings, std::function<void()> onClose, QWidget* parent = nullptr);

    /// Draws `summary`; its accessible text may differ from the visible one.
    void display(const HeaderSummary& summary);

private:
    SymbolView* icon_;
    QLabel* text_;
};

} // namespace corvane
