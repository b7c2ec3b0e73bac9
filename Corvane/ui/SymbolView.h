#pragma once

#include "symbols/Symbol.h"

#include <QColor>
#include <QWidget>

namespace corvane {

/// One icon drawn from the icon font. Decoration only: the text beside it says what it means,
/// so assistive technology is told nothing of it.
class SymbolView final : public QWidget {
    Q_OBJECT

public:
    explicit SymbolView(int pixels, QWidget* parent = nullptr);

    void setSymbol(Symbol symbol, const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int pixels_;
    Symbol symbol_{};
    QColor color_;
};

} // namespace corvane
