#pragma once

#include "DashControl.h"

#include "symbols/Symbol.h"

#include <optional>

namespace corvane {

/// A dashboard button: a text with an optional icon before it, an icon alone, or the filled
/// primary button of a section.
class DashButton final : public DashControl {
    Q_OBJECT

public:
    enum class Kind { plain, iconOnly, primary };

    /// `text` is the visible title, or the accessible name of an icon-only button.
    DashButton(Kind kind, const QString& text, std::optional<Symbol> symbol = std::nullopt,
               QWidget* parent = nullptr);

    /// Draws the text (and icon) in `color` instead of the secondary text colour (plain only).
    void setTint(const QColor& color);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Kind kind_;
    std::optional<Symbol> symbol_;
    QColor tint_;
};

} // namespace corvane
