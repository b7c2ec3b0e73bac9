#pragma once

#include "TaskBody.h"
#include "views/CleanScreen.h"

#include <QPointer>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

class TaskCheckRow;

/// The clean screen: the last scan's findings in their four groups (check boxes only where an
/// item may be cleaned, sizes with "约 " where estimated, the notes of blocked and informative
/// items), the footer that confirms and the last result. Draws `cleanScreen` of the model's disk
/// report; every click is a model intent.
class CleanBody final : public TaskBody {
    Q_OBJECT

public:
    CleanBody(std::shared_ptr<AppModel> model, const DashboardContext& context, QWidget* parent = nullptr);

    void refresh() override;

private:
    struct Shown {
        CleanScreenView view;
        std::optional<std::string> result;

        bool operator==(const Shown&) const = default;
    };

    void rebuild(const CleanScreenView& view);

    std::optional<Shown> shown_;
    /// The check boxes in the order of the view's rows that have one (two findings may share an id).
    std::vector<QPointer<TaskCheckRow>> checkRows_;
};

} // namespace corvane
