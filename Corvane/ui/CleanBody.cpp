#include "CleanBody.h"

#include "DashStyle.h"
#include "QtText.h"
#include "TaskRow.h"
#include "TaskScreenFrame.h"
#include "app/AppModel.h"
#include "app/TaskScreenViews.h"

#include <QPushButton>

#include <cmath>

namespace corvane {

namespace {

TaskRowLook lookOf(const CleanRow& row, const DashboardContext& context) {
    TaskRowLook look;
    look.title = QString::fromStdString(row.title);
    look.trailing = QString::fromStdString(row.sizeText);
    look.noteSymbol = row.noteSymbol;
    look.noteColor = DashStyle::secondaryText;
    if (row.note) look.note = QString::fromStdString(*row.note);
    look.hoverDemo = context.hoverDemo == row.id;
    return look;
}

/// The view with every tick cleared: equal views differ only in ticks, drawn in place.
CleanScreenView withoutTicks(CleanScreenView view) {
    view.footer = {};
    for (CleanGroup& group : view.groups) {
        for (CleanRow& row : group.rows) row.selected = false;
    }
    return view;
}

} // namespace

CleanBody::CleanBody(std::shared_ptr<AppModel> model, const DashboardContext& context, QWidget* parent)
    : TaskBody(std::move(model), context, cleanListA11y, cleanConfirmTitle, parent) {
    connect(frame_->confirmButton(), &QPushButton::clicked, this, [this] { model_->confirmClean(); });
    refresh();
}

void CleanBody::refresh() {
    Shown next{cleanScreen(*model_), model_->diskResult()};
    if (shown_ == next) return;
    frame_->setTexts(next.view.title, next.view.intro, next.result);
    frame_->setFooter(next.view.footer);
    frame_->setListHeight(static_cast<int>(std::lround(cleanListHeight(next.view.groups))));
    if (shown_ && withoutTicks(shown_->view) == withoutTicks(next.view)) {
        // Only ticks changed: the check boxes stand in the order of the rows that have one.
        std::size_t box = 0;
        for (const CleanGroup& group : next.view.groups) {
            for (const CleanRow& row : group.rows) {
                if (row.hasCheckBox) checkRows_[box++]->setChecked(row.selected);
            }
        }
    } else {
        rebuild(next.view);
    }
    shown_ = std::move(next);
}

void CleanBody::rebuild(const CleanScreenView& view) {
    frame_->clearRows();
    checkRows_.clear();
    if (view.emptyText) {
        auto* empty = new TaskNoteRow(static_cast<int>(cleanRowHeight));
        TaskRowLook look;
        look.title = QString::fromStdString(*view.emptyText);
        empty->setLook(look);
        empty->setAccessibleName(look.title);
        frame_->addRow(empty);
    }
    for (const CleanGroup& group : view.groups) {
        frame_->addRow(taskHeading(qtText(group.heading), static_cast<int>(cleanHeadingHeight), nullptr));
        for (const CleanRow& row : group.rows) {
            const int height = static_cast<int>(row.note ? cleanNoteRowHeight : cleanRowHeight);
            const QString a11y = QString::fromStdString(cleanRowA11y(row));
            if (row.hasCheckBox) {
                auto* check = new TaskCheckRow(height);
                check->setLook(lookOf(row, context_));
                check->setChecked(row.selected);
                check->setAccessibleName(a11y);
                checkRows_.emplace_back(check);
                connect(check, &TaskCheckRow::clicked, this, [this, check, id = row.id](bool on) {
                    model_->toggleDisk(id, on);
                    check->setChecked(model_->diskSelection().contains(id)); // the model decides
                });
                frame_->addRow(check);
            } else {
                auto* note = new TaskNoteRow(height);
                note->setLook(lookOf(row, context_));
                note->setAccessibleName(a11y);
                frame_->addRow(note);
            }
        }
    }
}

} // namespace corvane
