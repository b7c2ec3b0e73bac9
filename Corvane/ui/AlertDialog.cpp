#include "AlertDialog.h"

#include "IslandStyle.h"

#include "island/IslandControllerRules.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace corvane {

namespace {

constexpr int iconPixels = 48;
constexpr int textWidth = 300;

} // namespace

AlertDialog::AlertDialog(AlertSpec alert, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), alert_(std::move(alert)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(QStringLiteral("Corvane"));

    auto* icon = new QLabel(this);
    icon->setPixmap(style()
                        ->standardIcon(alert_.destructive ? QStyle::SP_MessageBoxWarning : QStyle::SP_MessageBoxInformation)
                        .pixmap(iconPixels, iconPixels));
    icon->setAlignment(Qt::AlignTop);
    auto* title = new QLabel(QString::fromStdString(alert_.title), this);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setWordWrap(true);
    auto* message = new QLabel(QString::fromStdString(alert_.message), this);
    message->setWordWrap(true);
    message->setVisible(!alert_.message.empty());
    for (QLabel* label : {title, message}) {
        label->setFixedWidth(textWidth);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }

    auto* texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(message);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addLayout(texts);

    auto* row = new QHBoxLayout;
    row->addStretch();
    for (const AlertButton& button : alertButtons(alert_.confirmTitle, alert_.secondaryTitle, alert_.destructive,
                                                  alert_.infoOnly)) {
        auto* push = new QPushButton(QString::fromStdString(button.title), this);
        push->setAutoDefault(false);
        if (button.destructive) {
            QPalette palette = push->palette();
            palette.setColor(QPalette::ButtonText, IslandLook::tintColor(WingsContent::Tint::red));
            push->setPalette(palette);
        }
        buttons_.push_back(push);
        row->addWidget(push);
        connect(push, &QPushButton::clicked, this, [this, role = button.role] {
            // The dialog is gone before the action runs, so an action may present the next alert.
            const AlertSpec alert = alert_;
            close();
            if (role == AlertButton::Role::confirm) alert.onConfirm();
            if (role == AlertButton::Role::secondary) alert.onSecondary();
        });
    }
    // Return presses the first button: "取消" for a destructive alert.
    buttons_.front()->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace corvane
