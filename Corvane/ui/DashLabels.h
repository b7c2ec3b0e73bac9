#pragma once

#include "QtText.h"

#include <QFont>
#include <QLabel>

#include <string>
#include <string_view>

namespace corvane {

/// A text label of the dashboard: `pixels` high text in `color`, word-wrapped.
QLabel* dashLabel(int pixels, const QColor& color, QWidget* parent, QFont::Weight weight = QFont::Normal);

/// Changes a label's text colour.
void setTextColor(QLabel* label, const QColor& color);

/// Shows `text`; a label that already shows it is left alone (no relayout, no repaint).
void setLabelText(QLabel* label, const std::string& text);

} // namespace corvane
