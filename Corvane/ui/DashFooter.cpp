#include "DashFooter.h"

#include "DashButton.h"
#include "DashLabels.h"
#include "DashStyle.h"
#include "QuietSwitch.h"

#include "views/DashFooter.h"

#include <QHBoxLayout>

namespace corvane {

namespace {

DashButton* footerButton(const FooterControl& control, std::function<void()> action, QWidget* parent) {
    auto* button = new DashButton(DashButton::Kind::plain, qtText(control.title), control.symbol, parent);
    button->setToolTip(qtText(control.help));
    QObject::connect(button, &DashButton::clicked, parent, [action = std::move(action)] {
        if (action) action();
    });
    return button;
}

} // namespace

DashFooter::DashFooter(std::function<void()> onActivityMonitor, std::function<void()> onSettings,
                       std::function<void()> onToggleQuiet, QWidget* parent)
    : QWidget(parent), quiet_(new QuietSwitch(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(footerButton(footerActivityMonitor, std::move(onActivityMonitor), this));
    layout->addWidget(footerButton(footerSettings, std::move(onSettings), this));
    layout->addStretch(1);
    layout->addWidget(quiet_);
    connect(quiet_, &QuietSwitch::clicked, this, [onToggleQuiet = std::move(onToggleQuiet)] { onToggleQuiet(); });
}

void DashFooter::display(bool paused) {
    quiet_->display(paused);
}

} // namespace corvane
