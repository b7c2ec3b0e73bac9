#pragma once

#include "TaskBody.h"
#include "views/OptimizeScreen.h"

#include <QPointer>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QToolButton;

namespace corvane {

class TaskCheckRow;
class TaskNoteRow;

/// The optimize screen: the largest applications with check boxes, caution notes and their idle
/// time, the locked ones under their heading, a "更多操作" menu per row for a forced quit, and the
/// footer that confirms. Draws `optimizeScreen` of the model's list; every click is a model intent.
class OptimizeBody final : public TaskBody {
    Q_OBJECT

public:
    OptimizeBody(std::shared_ptr<AppModel> model, const DashboardContext& context, QWidget* parent = nullptr);

    void refresh() override;

private:
    struct Shown {
        OptimizeScreenView view;
        std::optional<std::string> result;

        bool operator==(const Shown&) const = default;
    };

    /// The rows for a list of different ids, made anew.
    void rebuild(const OptimizeScreenView& view);
    /// The rows of the same ids, updated in place (hover and menus stay).
    void updateRows(const OptimizeScreenView& view);
    QWidget* entry(QWidget* row, const std::string& id);
    QToolButton* moreButton(const std::string& id);

    std::optional<Shown> shown_;
    /// The rows in the order of the view's selectable and locked rows.
    std::vector<QPointer<TaskCheckRow>> checkRows_;
    std::vector<QPointer<TaskNoteRow>> lockedRows_;
};

} // namespace corvane
