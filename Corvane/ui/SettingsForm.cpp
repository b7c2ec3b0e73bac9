#include "SettingsForm.h"

#include "QtText.h"

#include "SettingsStyle.h"
#include "SwitchRow.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace corvane {

namespace {

QLabel* makeLabel(double pointDelta, bool bold, QWidget* parent) {
    auto* label = new QLabel(parent);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() + pointDelta);
    font.setBold(bold);
    label->setFont(font);
    label->setWordWrap(true);
    return label;
}

QLabel* makeGreyText(QWidget* parent) {
    QLabel* label = makeLabel(SettingsStyle::footerPointDelta, false, parent);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, colours.color(SettingsStyle::footerRole));
    label->setPalette(colours);
    label->setContentsMargins(SettingsStyle::rowPadding, 0, SettingsStyle::rowPadding, 0);
    return label;
}

void showOptionalText(QLabel* label, const std::optional<std::string_view>& text) {
    label->setText(text ? qtText(*text) : QString());
    label->setAccessibleName(label->text());
    label->setVisible(text.has_value());
}

// The rounded box that holds a section's rows.
QFrame* makeGroup(QWidget* parent) {
    auto* group = new QFrame(parent);
    group->setObjectName("settingsGroup");
    const QPalette& colours = group->palette();
    group->setStyleSheet(QStringLiteral("#settingsGroup { background: %1; border: 1px solid %2; border-radius: %3px; }")
                             .arg(colours.color(SettingsStyle::groupRole).name(),
                                  colours.color(SettingsStyle::groupBorderRole).name())
                             .arg(SettingsStyle::groupRadius));
    return group;
}

QFrame* makeDivider(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFixedHeight(1);
    line->setStyleSheet(
        QStringLiteral("background: %1; margin-left: %2px;")
            .arg(line->palette().color(SettingsStyle::dividerRole).name())
            .arg(SettingsStyle::rowPadding));
    return line;
}

QAbstractButton* makeControl(const SettingsControl& control, QWidget* parent) {
    if (control.kind == SettingsControlKind::pauseButton) {
        auto* button = new QPushButton(qtText(control.title), parent);
        button->setAutoDefault(false);
        button->setMinimumSize(SettingsStyle::buttonMinimumWidth, SettingsStyle::buttonMinimumHeight);
        return button;
    }
    return new SwitchRow(qtText(control.title), parent);
}

} // namespace

SettingsForm::SettingsForm(const SettingsFormContent& content, ControlUsed onUse, QWidget* parent)
    : QWidget(parent), content_(content), onUse_(std::move(onUse)) {
    setBackgroundRole(SettingsStyle::windowRole);
    setAutoFillBackground(true);
    // Long footers (an error, the session note) may not fit the fixed window: the form scrolls
    // rather than squeezing its rows.
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* page = new QWidget(scroll);
    page->setBackgroundRole(SettingsStyle::windowRole);
    scroll->setWidget(page);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(SettingsStyle::outerMargin, SettingsStyle::outerMargin, SettingsStyle::outerMargin,
                               SettingsStyle::outerMargin);
    layout->setSpacing(SettingsStyle::sectionSpacing);
    for (std::size_t i = 0; i < content_.sections.size(); ++i) {
        layout->addWidget(buildSection(i, content_.sections[i], page));
    }
    layout->addStretch();
    display(content_);
}

QWidget* SettingsForm::buildSection(std::size_t index, const SettingsSection& section, QWidget* page) {
    auto* box = new QWidget(page);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(SettingsStyle::groupSpacing);

    QLabel* header = makeLabel(SettingsStyle::headerPointDelta, true, box);
    header->setText(qtText(section.header));
    header->setAccessibleName(header->text());
    header->setContentsMargins(SettingsStyle::rowPadding / 2, 0, 0, 0);
    layout->addWidget(header);

    QFrame* group = makeGroup(box);
    auto* rows = new QVBoxLayout(group);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    SectionWidgets widgets;
    for (std::size_t c = 0; c < section.controls.size(); ++c) {
        if (c > 0) rows->addWidget(makeDivider(group));
        QAbstractButton* control = makeControl(section.controls[c], group);
        if (qobject_cast<QPushButton*>(control) != nullptr) {
            auto* row = new QWidget(group);
            row->setFixedHeight(SettingsStyle::rowHeight);
            auto* rowLayout = new QHBoxLayout(row);
            rowLayout->setContentsMargins(SettingsStyle::rowPadding, 0, SettingsStyle::rowPadding, 0);
            control->setParent(row);
            rowLayout->addWidget(control);
            rowLayout->addStretch();
            rows->addWidget(row);
        } else {
            rows->addWidget(control);
        }
        // Reads the control from the current content: its texts and states change, its place does not.
        connect(control, &QAbstractButton::clicked, this,
                [this, index, c](bool checked) {
                    // A copy: the use may redraw the form, replacing the content it came from.
                    const SettingsControl used = content_.sections[index].controls[c];
                    onUse_(used, checked);
                });
        widgets.controls.push_back(control);
    }
    layout->addWidget(group);

    widgets.footer = makeGreyText(box);
    widgets.note = makeGreyText(box);
    layout->addWidget(widgets.footer);
    layout->addWidget(widgets.note);
    sections_.push_back(widgets);
    return box;
}

void SettingsForm::display(const SettingsFormContent& content) {
    content_ = content;
    for (std::size_t s = 0; s < sections_.size() && s < content_.sections.size(); ++s) {
        const SettingsSection& section = content_.sections[s];
        SectionWidgets& widgets = sections_[s];
        for (std::size_t c = 0; c < widgets.controls.size() && c < section.controls.size(); ++c) {
            QAbstractButton* control = widgets.controls[c];
            control->setText(qtText(section.controls[c].title));
            control->setAccessibleName(control->text());
            if (control->isCheckable()) control->setChecked(section.controls[c].on);
        }
        showOptionalText(widgets.footer, section.footer);
        showOptionalText(widgets.note, section.note);
    }
}

} // namespace corvane
