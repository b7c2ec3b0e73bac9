#include "SymbolView.h"

#include "MaterialIcons.h"

#include <QPainter>

namespace corvane {

SymbolView::SymbolView(int pixels, QWidget* parent) : QWidget(parent), pixels_(pixels) {
    setFixedSize(pixels + 2, pixels + 2);
}

void SymbolView::setSymbol(Symbol symbol, const QColor& color) {
    if (symbol == symbol_ && color == color_) return;
    symbol_ = symbol;
    color_ = color;
    update();
}

void SymbolView::paintEvent(QPaintEvent* /*event*/) {
    if (!color_.isValid()) return;
    QPainter painter(this);
    painter.setFont(iconFont(pixels_));
    painter.setPen(color_);
    painter.drawText(rect(), Qt::AlignCenter, glyphText(symbol_));
}

} // namespace corvane
