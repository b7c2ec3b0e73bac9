#include "DashHeader.h"

#include "DashButton.h"
#include "DashLabels.h"
#include "DashStyle.h"
#include "SymbolView.h"

#include <QHBoxLayout>

namespace corvane {

namespace {

DashButton* headerButton(const IconButton& button, std::function<void()> action, QWidget* parent) {
    auto* b = new DashButton(DashButton::Kind::iconOnly, qtText(button.label), button.symbol, parent);
    b->setToolTip(b->text());
    QObject::connect(b, &DashButton::clicked, parent, [action = std::move(action)] {
        if (action) action();
    });
    return b;
}

} // namespace

DashHeader::DashHeader(std::function<void()> onSettings, std::function<void()> onClose, QWidget* parent)
    : QWidget(parent), icon_(new SymbolView(DashStyle::headerIconPixels, this)),
      text_(dashLabel(DashStyle::headerPixels, DashStyle::primaryText, this, QFont::DemiBold)) {
    text_->setWordWrap(false);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(DashStyle::lineSpacing);
    layout->addWidget(icon_);
    layout->addWidget(text_);
    layout->addStretch(1);
    layout->addWidget(headerButton(headerSettingsButton, std::move(onSettings), this));
    layout->addWidget(headerButton(headerCloseButton, std::move(onClose), this));
}

void DashHeader::display(const HeaderSummary& summary) {
    icon_->setSymbol(summary.icon.symbol, DashStyle::color(summary.icon.tint));
    setLabelText(text_, summary.text);
    text_->setAccessibleName(QString::fromStdString(summary.a11y));
}

} // namespace corvane
