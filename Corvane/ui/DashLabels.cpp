#include "DashLabels.h"

#include "DashStyle.h"
#include "MaterialIcons.h"

namespace corvane {

QString qtext(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel* dashLabel(int pixels, const QColor& color, QWidget* parent, QFont::Weight weight) {
    auto* label = new QLabel(parent);
    label->setFont(DashStyle::textFont(pixels, weight));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    setTextColor(label, color);
    return label;
}

QLabel* symbolLabel(int pixels, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setFont(iconFont(pixels));
    label->setAlignment(Qt::AlignCenter);
    label->setFixedSize(pixels + 2, pixels + 2);
    // The icon is decoration; the text beside it says what it means.
    label->setAccessibleName(QString());
    return label;
}

void setSymbol(QLabel* label, Symbol symbol, const QColor& color) {
    label->setText(glyphText(symbol));
    setTextColor(label, color);
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
