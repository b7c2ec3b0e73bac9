#include "AISection.h"

#include "AIRowView.h"
#include "DashButton.h"
#include "DashLabels.h"
#include "DashStyle.h"

#include "views/AISection.h"

#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace corvane {

namespace {

QVBoxLayout* rowLayout(QWidget* parent) {
    auto* layout = new QVBoxLayout(parent);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

} // namespace

AISection::AISection(std::function<void(const AIRow&)> onJump, std::function<void(bool)> onExpand, QWidget* parent)
    : QWidget(parent), onJump_(std::move(onJump)),
      title_(dashLabel(DashStyle::titlePixels, DashStyle::primaryText, this, QFont::DemiBold)),
      shownLayout_(nullptr), toggle_(new DashButton(DashButton::Kind::plain, QString(), std::nullopt, this)),
      overflowArea_(new QScrollArea(this)), overflowLayout_(nullptr) {
    setLabelText(title_, std::string(aiSectionTitle));
    auto* shownRows = new QWidget(this);
    shownLayout_ = rowLayout(shownRows);
    auto* overflowRows = new QWidget;
    overflowLayout_ = rowLayout(overflowRows);
    overflowArea_->setWidget(overflowRows);
    overflowRows->setAutoFillBackground(false); // setWidget turns it on: the panel's black shows through
    overflowArea_->setWidgetResizable(true);
    overflowArea_->setFrameShape(QFrame::NoFrame);
    overflowArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    overflowArea_->viewport()->setAutoFillBackground(false);
    overflowRows->setAutoFillBackground(false);
    overflowArea_->setAccessibleName(QString());
    toggle_->setTint(DashStyle::systemBlue);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(DashStyle::lineSpacing);
    layout->addWidget(title_);
    layout->addWidget(shownRows);
    layout->addWidget(toggle_, 0, Qt::AlignLeft);
    layout->addWidget(overflowArea_);
    connect(toggle_, &DashButton::clicked, this, [this, onExpand = std::move(onExpand)] { onExpand(!expanded_); });
}

void AISection::display(const std::vector<AIRow>& rows, bool expanded, const std::optional<std::string>& hovered,
                        bool animate) {
    expanded_ = expanded;
    const AISectionLayout split = aiSectionLayout(rows.size(), expanded);
    const auto cut = rows.begin() + static_cast<std::ptrdiff_t>(split.alwaysShown);
    fill(shownLayout_, shown_, {rows.begin(), cut}, hovered, animate);

    toggle_->setVisible(split.toggleText.has_value());
    const QString toggleText = QString::fromStdString(split.toggleText.value_or(""));
    if (toggle_->text() != toggleText) {
        toggle_->setText(toggleText);
        toggle_->setAccessibleName(toggleText);
        toggle_->updateGeometry();
    }

    const bool showsOverflow = expanded && split.overflow > 0;
    fill(overflowLayout_, overflow_, showsOverflow ? std::vector<AIRow>(cut, rows.end()) : std::vector<AIRow>{},
         hovered, animate);
    overflowArea_->setVisible(showsOverflow);
    if (showsOverflow) {
        const int listHeight = overflowArea_->widget()->sizeHint().height();
        overflowArea_->setFixedHeight(std::min(listHeight, static_cast<int>(aiOverflowMaxHeight)));
    }
}

void AISection::fill(QVBoxLayout* layout, std::vector<AIRowView*>& views, const std::vector<AIRow>& rows,
                     const std::optional<std::string>& hovered, bool animate) {
    while (views.size() < rows.size()) {
        auto* view = new AIRowView(layout->parentWidget());
        connect(view, &AIRowView::clicked, this, [this, view] {
            if (view->row().sessionID) onJump_(view->row());
        });
        layout->addWidget(view);
        views.push_back(view);
    }
    for (std::size_t i = 0; i < views.size(); ++i) {
        views[i]->setVisible(i < rows.size());
        if (i < rows.size()) views[i]->display(rows[i], hovered == rows[i].id, animate);
    }
}

} // namespace corvane
