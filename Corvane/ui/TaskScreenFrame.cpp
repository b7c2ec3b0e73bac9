#include "TaskScreenFrame.h"

#include "DashStyle.h"
#include "MaterialIcons.h"
#include "QtText.h"

#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace corvane {

namespace {

QLabel* textLabel(int pixels, const QColor& colour, bool bold, QWidget* parent) {
    auto* label = new QLabel(parent);
    QFont font;
    font.setPixelSize(pixels);
    font.setBold(bold);
    label->setFont(font);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, colour);
    label->setPalette(colours);
    return label;
}

QIcon glyphIcon(Symbol symbol, const QColor& colour, int pixels) {
    QPixmap pixmap(pixels * 2, pixels * 2);
    pixmap.setDevicePixelRatio(2);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setFont(iconFont(pixels));
    painter.setPen(colour);
    painter.drawText(QRect(0, 0, pixels, pixels), Qt::AlignCenter, glyphText(symbol));
    return QIcon(pixmap);
}

QString backButtonSheet() {
    return QStringLiteral("QPushButton { border: none; color: %1; padding: 2px 6px 2px 0; text-align: left; }"
                          "QPushButton:hover { color: %2; }")
        .arg(DashStyle::secondaryText.name(QColor::HexArgb), DashStyle::primaryText.name(QColor::HexArgb));
}

QString scrollBarSheet() {
    return QStringLiteral("QScrollBar:vertical { background: transparent; width: %1px; margin: 0; }"
                          "QScrollBar::handle:vertical { background: %2; border-radius: %3px; min-height: 24px; }"
                          "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
                          "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }")
        .arg(TaskStyle::scrollBarWidth)
        .arg(TaskStyle::boxOutline.name(QColor::HexArgb))
        .arg(TaskStyle::scrollBarWidth / 2);
}

QString confirmButtonSheet() {
    return QStringLiteral("QPushButton { border: none; border-radius: %1px; padding: 0 %2px; background: %3; color: %4; }"
                          "QPushButton:hover { background: %5; }")
        .arg(TaskStyle::buttonRadius)
        .arg(TaskStyle::buttonPadding)
        .arg(DashStyle::systemBlue.name(), DashStyle::primaryText.name(), DashStyle::systemBlue.lighter(112).name());
}

} // namespace

TaskScreenFrame::TaskScreenFrame(std::string_view listA11y, std::string_view confirmTitle, QWidget* parent)
    : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(TaskStyle::margin, 0, TaskStyle::margin, TaskStyle::margin);
    layout->setSpacing(TaskStyle::spacing);

    auto* topBar = new QHBoxLayout;
    back_ = new QPushButton(qtText("返回"), this);
    back_->setIcon(glyphIcon(Symbol::chevronBackward, DashStyle::secondaryText, TaskStyle::iconPixels));
    back_->setAccessibleName(back_->text());
    back_->setCursor(Qt::PointingHandCursor);
    back_->setFlat(true);
    back_->setStyleSheet(backButtonSheet());
    title_ = textLabel(TaskStyle::titlePixels, DashStyle::primaryText, true, this);
    topBar->addWidget(back_);
    topBar->addWidget(title_, 1);
    layout->addLayout(topBar);

    intro_ = textLabel(TaskStyle::notePixels, DashStyle::secondaryText, false, this);
    intro_->setWordWrap(true);
    layout->addWidget(intro_);

    list_ = new QScrollArea(this);
    list_->setFrameShape(QFrame::NoFrame);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setWidgetResizable(true);
    list_->setAccessibleName(qtText(listA11y));
    list_->viewport()->setAutoFillBackground(false);
    list_->verticalScrollBar()->setStyleSheet(scrollBarSheet());
    auto* content = new QWidget(list_);
    rows_ = new QVBoxLayout(content);
    rows_->setContentsMargins(0, 0, 0, 0);
    rows_->setSpacing(0);
    rows_->addStretch(1);
    list_->setWidget(content);
    content->setAutoFillBackground(false); // setWidget turns it on: the panel's black shows through
    layout->addWidget(list_);

    result_ = textLabel(TaskStyle::notePixels, DashStyle::secondaryText, false, this);
    result_->setWordWrap(true);
    result_->hide();
    layout->addWidget(result_);

    auto* footer = new QHBoxLayout;
    summary_ = textLabel(TaskStyle::rowPixels, DashStyle::secondaryText, false, this);
    summary_->setObjectName(QStringLiteral("summary"));
    confirm_ = new QPushButton(qtText(confirmTitle), this);
    confirm_->setAccessibleName(confirm_->text());
    confirm_->setFixedHeight(TaskStyle::buttonHeight);
    confirm_->setCursor(Qt::PointingHandCursor);
    confirm_->setStyleSheet(confirmButtonSheet());
    confirm_->setGraphicsEffect(new QGraphicsOpacityEffect(confirm_));
    footer->addWidget(summary_, 1);
    footer->addWidget(confirm_);
    layout->addLayout(footer);
}

void TaskScreenFrame::setTexts(const std::string& title, const std::string& intro,
                               const std::optional<std::string>& result) {
    title_->setText(QString::fromStdString(title));
    intro_->setText(QString::fromStdString(intro));
    result_->setText(result ? QString::fromStdString(*result) : QString());
    result_->setVisible(result.has_value());
}

void TaskScreenFrame::setFooter(const SelectionFooter& footer) {
    summary_->setText(QString::fromStdString(footer.text));
    summary_->setAccessibleName(summary_->text());
    confirm_->setEnabled(footer.confirmEnabled);
    static_cast<QGraphicsOpacityEffect*>(confirm_->graphicsEffect())->setOpacity(footer.confirmOpacity);
}

void TaskScreenFrame::clearRows() {
    for (const QPointer<QWidget>& row : rowWidgets_) delete row.data();
    rowWidgets_.clear();
}

void TaskScreenFrame::addRow(QWidget* row) {
    rows_->insertWidget(static_cast<int>(rowWidgets_.size()), row); // above the closing stretch
    rowWidgets_.emplace_back(row);
}

void TaskScreenFrame::setListHeight(int height) {
    list_->setFixedHeight(height);
}

} // namespace corvane
