#include "OptimizeBody.h"

#include "DashStyle.h"
#include "MaterialIcons.h"
#include "QtText.h"
#include "TaskRow.h"
#include "TaskScreenFrame.h"
#include "app/AppModel.h"
#include "app/TaskScreenViews.h"
#include "apps/QuitEligibility.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

QString optionalText(const std::optional<std::string>& text) {
    return text ? QString::fromStdString(*text) : QString();
}

TaskRowLook lookOf(const OptimizeRow& row, const DashboardContext& context) {
    TaskRowLook look;
    look.title = QString::fromStdString(row.name);
    look.inlineDetail = QString::fromStdString(row.footprintText);
    look.subline = optionalText(row.idleText);
    if (row.lockReason) {
        look.noteSymbol = Symbol::lock;
        look.noteColor = DashStyle::secondaryText;
        look.note = optionalText(row.lockReason);
    } else if (row.cautionNote) {
        look.noteSymbol = Symbol::info;
        look.noteColor = DashStyle::systemOrange;
        look.note = optionalText(row.cautionNote);
    }
    look.hoverDemo = context.hoverDemo == row.id;
    return look;
}

int rowHeight(const OptimizeRow& row) {
    if (row.lockReason) return static_cast<int>(lockedRowHeight);
    return static_cast<int>(row.cautionNote ? optimizeCautionRowHeight : optimizeRowHeight);
}

std::vector<std::string> idsOf(const OptimizeScreenView& view) {
    std::vector<std::string> ids;
    for (const OptimizeRow& row : view.selectableRows) ids.push_back(row.id);
    ids.emplace_back(); // ids are never empty: this marks where the locked rows begin
    for (const OptimizeRow& row : view.lockedRows) ids.push_back(row.id);
    return ids;
}

QString menuSheet() {
    return QStringLiteral("QMenu { background: #2c2c2e; color: %1; border: 1px solid %2; padding: 4px; }"
                          "QMenu::item { padding: 4px 14px; border-radius: 4px; }"
                          "QMenu::item:selected { background: %3; }"
                          "QMenu::item:disabled { color: %4; }")
        .arg(DashStyle::primaryText.name(), TaskStyle::hairline.name(QColor::HexArgb), DashStyle::systemBlue.name(),
             DashStyle::secondaryText.name(QColor::HexArgb));
}

} // namespace

OptimizeBody::OptimizeBody(std::shared_ptr<AppModel> model, const DashboardContext& context, QWidget* parent)
    : TaskBody(std::move(model), context, optimizeListA11y, optimizeConfirmTitle, parent) {
    connect(frame_->confirmButton(), &QPushButton::clicked, this, [this] { model_->confirmOptimize(); });
    refresh();
}

void OptimizeBody::refresh() {
    Shown next{optimizeScreen(*model_), model_->lastResult()};
    if (shown_ == next) return;
    frame_->setTexts(next.view.title, next.view.intro, next.result);
    frame_->setFooter(next.view.footer);
    frame_->setListHeight(static_cast<int>(std::lround(next.view.listHeight)));
    if (shown_ && idsOf(shown_->view) == idsOf(next.view)) {
        updateRows(next.view);
    } else {
        rebuild(next.view);
    }
    shown_ = std::move(next);
}

void OptimizeBody::rebuild(const OptimizeScreenView& view) {
    frame_->clearRows();
    checkRows_.clear();
    lockedRows_.clear();
    for (const OptimizeRow& row : view.selectableRows) {
        auto* check = new TaskCheckRow(rowHeight(row));
        connect(check, &TaskCheckRow::clicked, this, [this, check, id = row.id](bool on) {
            model_->toggleGroup(id, on);
            check->setChecked(model_->selection().contains(id)); // the model decides
        });
        checkRows_.emplace_back(check);
        frame_->addRow(entry(check, row.id));
    }
    if (!view.lockedRows.empty()) {
        frame_->addRow(taskHeading(qtText(lockedHeading), static_cast<int>(lockedHeadingHeight), nullptr));
    }
    for (const OptimizeRow& row : view.lockedRows) {
        auto* locked = new TaskNoteRow(rowHeight(row));
        lockedRows_.emplace_back(locked);
        frame_->addRow(entry(locked, row.id));
    }
    updateRows(view);
}

void OptimizeBody::updateRows(const OptimizeScreenView& view) {
    // Same ids in the same order as the rows were made.
    for (std::size_t i = 0; i < view.selectableRows.size(); ++i) {
        const OptimizeRow& row = view.selectableRows[i];
        TaskCheckRow* check = checkRows_[i];
        check->setFixedHeight(rowHeight(row));
        check->setLook(lookOf(row, context_));
        check->setChecked(row.selected);
        check->setAccessibleName(QString::fromStdString(row.a11y));
    }
    for (std::size_t i = 0; i < view.lockedRows.size(); ++i) {
        const OptimizeRow& row = view.lockedRows[i];
        TaskNoteRow* locked = lockedRows_[i];
        locked->setLook(lookOf(row, context_));
        locked->setAccessibleName(QString::fromStdString(row.a11y));
    }
}

QWidget* OptimizeBody::entry(QWidget* row, const std::string& id) {
    auto* entry = new QWidget;
    auto* layout = new QHBoxLayout(entry);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(row, 1);
    layout->addWidget(moreButton(id), 0, Qt::AlignVCenter);
    return entry;
}

QToolButton* OptimizeBody::moreButton(const std::string& id) {
    auto* button = new QToolButton;
    button->setText(glyphText(Symbol::more));
    button->setFont(iconFont(TaskStyle::iconPixels));
    button->setAccessibleName(qtText(rowMenuTitle));
    button->setToolTip(qtText(rowMenuTitle));
    button->setAutoRaise(true);
    button->setFixedSize(TaskStyle::moreButtonSize, TaskStyle::moreButtonSize);
    button->setCursor(Qt::PointingHandCursor);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setStyleSheet(QStringLiteral("QToolButton { border: none; color: %1; } QToolButton::menu-indicator { image: none; }")
                              .arg(DashStyle::secondaryText.name(QColor::HexArgb)));
    auto* menu = new QMenu(button);
    menu->setStyleSheet(menuSheet());
    QAction* forceQuit = menu->addAction(qtText(rowMenuForceQuit));
    // Asked afresh when the menu opens: the list may have changed since the row was made.
    const auto findGroup = [this, id]() -> const AppGroup* {
        const auto& groups = model_->previewGroups();
        const auto it = std::find_if(groups.begin(), groups.end(), [&id](const AppGroup& g) { return g.id == id; });
        return it == groups.end() ? nullptr : &*it;
    };
    connect(menu, &QMenu::aboutToShow, this, [forceQuit, findGroup] {
        const AppGroup* group = findGroup();
        forceQuit->setEnabled(group != nullptr && isQuitEligible(*group));
    });
    connect(forceQuit, &QAction::triggered, this, [this, findGroup] {
        if (const AppGroup* group = findGroup()) model_->requestForceQuit(AppGroup(*group));
    });
    button->setMenu(menu);
    return button;
}

} // namespace corvane
