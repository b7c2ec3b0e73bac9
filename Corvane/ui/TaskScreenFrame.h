#pragma once

#include "views/SelectionFooter.h"

#include <QPointer>
#include <QWidget>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QLabel;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

namespace corvane {

/// What the optimize and clean screens share: the top bar with "返回" and the title, the intro,
/// the scrolling list, the last result and the footer with its summary and primary button. The
/// screen fills the list and connects the buttons.
class TaskScreenFrame final : public QWidget {
    Q_OBJECT

public:
    /// A frame whose list is announced as `listA11y` and whose primary button reads `confirmTitle`.
    TaskScreenFrame(std::string_view listA11y, std::string_view confirmTitle, QWidget* parent = nullptr);

    QPushButton* backButton() const { return back_; }
    QPushButton* confirmButton() const { return confirm_; }
    /// Removes every row of the list.
    void clearRows();
    /// Appends a row (or a heading) to the list.
    void addRow(QWidget* row);

    void setTexts(const std::string& title, const std::string& intro, const std::optional<std::string>& result);
    /// The summary, the button's enablement and its opacity.
    void setFooter(const SelectionFooter& footer);
    /// The list's visible height; taller contents scroll.
    void setListHeight(int height);

private:
    QPushButton* back_;
    QLabel* title_;
    QLabel* intro_;
    QScrollArea* list_;
    QVBoxLayout* rows_;
    std::vector<QPointer<QWidget>> rowWidgets_;
    QLabel* result_;
    QLabel* summary_;
    QPushButton* confirm_;
};

} // namespace corvane
