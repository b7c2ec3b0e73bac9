#include "MemoryColumn.h"

#include "DashButton.h"
#include "DashLabels.h"
#include "DashStyle.h"
#include "IdleStatPanel.h"
#include "StatBarView.h"

#include "memory/FormatBytes.h"

#include <QVBoxLayout>

namespace corvane {

MemoryColumn::MemoryColumn(std::function<void()> onOptimize, std::function<void()> onReclaim, QWidget* parent)
    : QWidget(parent), memory_(new StatBarView(true, this)), swap_(new StatBarView(false, this)),
      idle_(new IdleStatPanel(this)), result_(dashLabel(DashStyle::notePixels, DashStyle::secondaryText, this)),
      optimize_(new DashButton(DashButton::Kind::primary, qtText(optimizeButtonTitle), std::nullopt, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(DashStyle::lineSpacing);
    layout->addWidget(memory_);
    layout->addWidget(swap_);
    layout->addWidget(idle_);
    layout->addWidget(result_);
    layout->addWidget(optimize_);
    connect(optimize_, &DashButton::clicked, this, [onOptimize = std::move(onOptimize)] { onOptimize(); });
    connect(idle_, &IdleStatPanel::clicked, this, [onReclaim = std::move(onReclaim)] { onReclaim(); });
}

void MemoryColumn::display(const MemoryColumnView& view, const IdleStatView& idle, bool idleHovered) {
    memory_->display(view.memoryBar, QString::number(view.usedPercent) + QStringLiteral("%"));
    memory_->setAccessibleName(QString::fromStdString(view.a11y));
    swap_->setVisible(view.swapBar.has_value());
    if (view.swapBar) swap_->display(*view.swapBar, QString::fromStdString(formatBytes(view.swapBar->value)));
    idle_->display(idle);
    idle_->setForcedHover(idleHovered);
    result_->setVisible(view.resultLine.has_value());
    setLabelText(result_, view.resultLine.value_or(""));
    optimize_->setVisible(view.showsOptimizeButton);
}

} // namespace corvane
