#pragma once

#include <QCheckBox>

namespace corvane {

/// A check box drawn as a settings row: its text on the left and a switch at the right end.
/// The whole row takes the click; it stays a check box to assistive technology.
class SwitchRow final : public QCheckBox {
    Q_OBJECT

public:
    explicit SwitchRow(const QString& text, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool hitButton(const QPoint& pos) const override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace corvane
