#pragma once

#include "app/AIRows.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QScrollArea;
class QVBoxLayout;

namespace corvane {

class AIRowView;
class DashButton;

/// The AI section: its title, the first rows always, and the rest in a scrolling list behind a
/// toggle.
class AISection final : public QWidget {
    Q_OBJECT

public:
    /// `onJump` is called with a clicked row that has a session; `onExpand` with the toggle's
    /// new state.
    AISection(std::function<void(const AIRow&)> onJump, std::function<void(bool)> onExpand, QWidget* parent = nullptr);

    /// Draws `rows`; the row whose id is `hovered` is drawn hovered; `animate` lets changed
    /// minute counts count.
    void display(const std::vector<AIRow>& rows, bool expanded, const std::optional<std::string>& hovered,
                 bool animate);

private:
    /// The row views of `layout`, as many as `rows`, drawn from them.
    void fill(QVBoxLayout* layout, std::vector<AIRowView*>& views, const std::vector<AIRow>& rows,
              const std::optional<std::string>& hovered, bool animate);

    std::function<void(const AIRow&)> onJump_;
    bool expanded_{false};
    QLabel* title_;
    QVBoxLayout* shownLayout_;
    std::vector<AIRowView*> shown_;
    DashButton* toggle_;
    QScrollArea* overflowArea_;
    QVBoxLayout* overflowLayout_;
    std::vector<AIRowView*> overflow_;
};

} // namespace corvane
