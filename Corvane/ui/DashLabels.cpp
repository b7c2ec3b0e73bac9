#include "DashLabels.h"

#include "DashStyle.h"

namespace corvane {

QLabel* dashLabel(int pixels, const QColor& color, QWidget* parent, QFont::Weight weight) {
    auto* label = new QLabel(parent);
    label->setFont(DashStyle::textFont(pixels, weight));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    setTextColor(label, color);
    return label;
}

void setTextColor(QLabel* label, const QColor& color) {
    QPalette palette = label->palette();
    if (palette.color(QPalette::WindowText) == color) return;
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

void setLabelText(QLabel* label, const std::string& text) {
    const QString shown = QString::fromStdString(text);
    if (label->text() != shown) label->setText(shown);
}

} // namespace corvane
