#pragma once

#include "app/AlertSpec.h"

#include <QDialog>

#include <vector>

class QPushButton;

namespace corvane {

/// A confirmation or information alert: the title, the message and the buttons in exactly the
/// alert's order (the platform's button-box conventions would reorder them). Application-modal
/// and above every other window, including the island's always-on-top panels, without blocking
/// the caller. A button closes the dialog and then runs its action; Escape and closing the
/// window act as "取消". Deletes itself when closed.
class AlertDialog final : public QDialog {
    Q_OBJECT

public:
    explicit AlertDialog(AlertSpec alert, QWidget* parent = nullptr);

    /// The buttons, left to right.
    const std::vector<QPushButton*>& buttons() const { return buttons_; }

private:
    AlertSpec alert_;
    std::vector<QPushButton*> buttons_;
};

} // namespace corvane
