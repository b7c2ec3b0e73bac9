#include "DiskSection.h"

#include "DashButton.h"
#include "DashLabels.h"
#include "DashStyle.h"
#include "SymbolView.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace corvane {

DiskSection::DiskSection(std::function<void()> onMeasure, std::function<void()> onClean, QWidget* parent)
    : QWidget(parent), title_(dashLabel(DashStyle::titlePixels, DashStyle::primaryText, this, QFont::DemiBold)),
      stateIcon_(new SymbolView(DashStyle::iconPixels, this)), state_(dashLabel(DashStyle::bodyPixels, {}, this)),
      free_(dashLabel(DashStyle::bodyPixels, DashStyle::secondaryText, this)),
      measure_(new DashButton(DashButton::Kind::plain, QString(), std::nullopt, this)),
      measured_(dashLabel(DashStyle::bodyPixels, DashStyle::primaryText, this, QFont::DemiBold)),
      clean_(new DashButton(DashButton::Kind::primary, qtText(cleanButtonTitle), std::nullopt, this)),
      result_(dashLabel(DashStyle::notePixels, DashStyle::secondaryText, this)) {
    measure_->setTint(DashStyle::systemBlue);
    auto* stateLine = new QHBoxLayout;
    stateLine->setSpacing(DashStyle::lineSpacing);
    stateLine->addWidget(stateIcon_, 0, Qt::AlignTop);
    stateLine->addWidget(state_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(DashStyle::lineSpacing);
    layout->addWidget(title_);
    layout->addLayout(stateLine);
    layout->addWidget(free_);
    layout->addWidget(measure_, 0, Qt::AlignLeft);
    layout->addWidget(measured_);
    layout->addWidget(clean_);
    layout->addWidget(result_);
    connect(measure_, &DashButton::clicked, this, [onMeasure = std::move(onMeasure)] { onMeasure(); });
    connect(clean_, &DashButton::clicked, this, [onClean = std::move(onClean)] { onClean(); });
}

void DiskSection::display(const DiskSectionView& view) {
    using Measure = DiskSectionView::Measure;
    setLabelText(title_, view.title);
    const QColor stateColor = DashStyle::color(view.look.color);
    stateIcon_->setSymbol(view.look.symbol, stateColor);
    setLabelText(state_, std::string(view.look.text));
    setTextColor(state_, stateColor);
    setLabelText(free_, view.freeLine);

    const QString measureText = QString::fromStdString(view.measureText);
    measure_->setVisible(view.measure == Measure::notMeasured);
    measured_->setVisible(view.measure != Measure::notMeasured);
    if (view.measure == Measure::notMeasured) {
        if (measure_->text() != measureText) {
            measure_->setText(measureText);
            measure_->updateGeometry();
        }
        measure_->setAccessibleName(QString::fromStdString(view.measureA11y));
        measure_->setAccessibleDescription(QString::fromStdString(view.hint));
    } else {
        setLabelText(measured_, view.measureText);
        measured_->setAccessibleName(QString::fromStdString(view.measureA11y));
        setTextColor(measured_, view.measure == Measure::measuring ? DashStyle::secondaryText : DashStyle::primaryText);
    }
    clean_->setVisible(view.showsCleanButton);
    clean_->setAccessibleDescription(QString::fromStdString(view.hint));
    result_->setVisible(view.resultLine.has_value());
    setLabelText(result_, view.resultLine.value_or(""));
}

} // namespace corvane
