#include "TaskRow.h"

#include "DashStyle.h"
#include "MaterialIcons.h"

#include <QPainter>
#include <QPainterPath>

namespace corvane {

namespace {

QFont pixelFont(int pixels, bool bold = false) {
    QFont font;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void drawGlyph(QPainter& painter, const QRectF& box, Symbol symbol, const QColor& colour, int pixels) {
    painter.setFont(iconFont(pixels));
    painter.setPen(colour);
    painter.drawText(box, Qt::AlignCenter, glyphText(symbol));
}

void drawCheckBox(QPainter& painter, const QRectF& column, bool checked) {
    const int size = TaskStyle::iconPixels;
    const QRectF box(column.center().x() - size / 2.0, column.center().y() - size / 2.0, size, size);
    if (checked) {
        drawGlyph(painter, box, Symbol::checkBox, DashStyle::systemBlue, size + 4);
        return;
    }
    // The unticked box: the glyph's outline without its tick, at the glyph's inner size.
    const QRectF outline = box.adjusted(2.5, 2.5, -2.5, -2.5);
    painter.setPen(QPen(TaskStyle::boxOutline, 1.6));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(outline, 2.5, 2.5);
}

/// The row's text lines, top to bottom, vertically centred as a block.
void paintRow(QWidget& row, const TaskRowLook& look, std::optional<bool> checked) {
    QPainter painter(&row);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(row.rect());
    if (look.hoverDemo || row.underMouse()) {
        QPainterPath fill;
        fill.addRoundedRect(area, TaskStyle::rowRadius, TaskStyle::rowRadius);
        painter.fillPath(fill, TaskStyle::hoverFill);
    }
    const QRectF iconColumn(area.left() + TaskStyle::rowPadding, area.top(), TaskStyle::iconColumn, area.height());
    if (checked) drawCheckBox(painter, iconColumn, *checked);

    const QFont titleFont = pixelFont(TaskStyle::rowPixels);
    const QFont noteFont = pixelFont(TaskStyle::notePixels);
    const QFontMetricsF titleMetrics(titleFont);
    const QFontMetricsF noteMetrics(noteFont);
    const double lineGap = 3;
    double blockHeight = titleMetrics.height();
    if (!look.subline.isEmpty()) blockHeight += lineGap + noteMetrics.height();
    if (!look.note.isEmpty()) blockHeight += lineGap + noteMetrics.height();

    const double left = iconColumn.right() + TaskStyle::rowPadding / 2.0;
    double right = area.right() - TaskStyle::rowPadding;
    double y = area.center().y() - blockHeight / 2;

    if (!look.trailing.isEmpty()) {
        const double width = titleMetrics.horizontalAdvance(look.trailing);
        painter.setFont(titleFont);
        painter.setPen(DashStyle::secondaryText);
        painter.drawText(QRectF(right - width, y, width, titleMetrics.height()), Qt::AlignRight | Qt::AlignVCenter,
                         look.trailing);
        right -= width + TaskStyle::spacing;
    }

    const QRectF titleLine(left, y, right - left, titleMetrics.height());
    const QString title = titleMetrics.elidedText(look.title, Qt::ElideRight, titleLine.width());
    painter.setFont(titleFont);
    painter.setPen(DashStyle::primaryText);
    painter.drawText(titleLine, Qt::AlignLeft | Qt::AlignVCenter, title);
    const double titleWidth = titleMetrics.horizontalAdvance(title);
    if (!look.inlineDetail.isEmpty() && titleWidth < titleLine.width()) {
        const QRectF rest = titleLine.adjusted(titleWidth, 0, 0, 0);
        painter.setFont(noteFont);
        painter.setPen(DashStyle::secondaryText);
        painter.drawText(rest, Qt::AlignLeft | Qt::AlignVCenter,
                         noteMetrics.elidedText(look.inlineDetail, Qt::ElideRight, rest.width()));
    }
    y += titleMetrics.height() + lineGap;

    painter.setFont(noteFont);
    if (!look.subline.isEmpty()) {
        painter.setPen(DashStyle::secondaryText);
        painter.drawText(QRectF(left, y, right - left, noteMetrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         noteMetrics.elidedText(look.subline, Qt::ElideRight, right - left));
        y += noteMetrics.height() + lineGap;
    }
    if (!look.note.isEmpty()) {
        double textLeft = left;
        if (look.noteSymbol) {
            const QRectF icon(left, y, TaskStyle::noteIconPixels + 2, noteMetrics.height());
            drawGlyph(painter, icon, *look.noteSymbol, look.noteColor, TaskStyle::noteIconPixels);
            textLeft = icon.right() + 3;
        }
        painter.setFont(noteFont);
        painter.setPen(look.noteColor);
        painter.drawText(QRectF(textLeft, y, right - textLeft, noteMetrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         noteMetrics.elidedText(look.note, Qt::ElideRight, right - textLeft));
    }
}

} // namespace

TaskCheckRow::TaskCheckRow(int height, QWidget* parent) : QCheckBox(parent) {
    setFixedHeight(height);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
}

void TaskCheckRow::setLook(const TaskRowLook& look) {
    if (look == look_) return;
    look_ = look;
    update();
}

QSize TaskCheckRow::sizeHint() const {
    return {TaskStyle::iconColumn * 4, height()};
}

QSize TaskCheckRow::minimumSizeHint() const {
    return sizeHint();
}

bool TaskCheckRow::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

void TaskCheckRow::paintEvent(QPaintEvent* /*event*/) {
    paintRow(*this, look_, isChecked());
}

TaskNoteRow::TaskNoteRow(int height, QWidget* parent) : QLabel(parent) {
    setFixedHeight(height);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAttribute(Qt::WA_Hover);
}

void TaskNoteRow::setLook(const TaskRowLook& look) {
    if (look == look_) return;
    look_ = look;
    update();
}

void TaskNoteRow::paintEvent(QPaintEvent* /*event*/) {
    paintRow(*this, look_, std::nullopt);
}

QLabel* taskHeading(const QString& text, int height, QWidget* parent) {
    auto* heading = new QLabel(text, parent);
    heading->setObjectName(QStringLiteral("heading"));
    heading->setFixedHeight(height);
    heading->setFont(pixelFont(TaskStyle::notePixels, true));
    heading->setContentsMargins(TaskStyle::rowPadding, 0, 0, 0);
    QPalette colours = heading->palette();
    colours.setColor(QPalette::WindowText, DashStyle::secondaryText);
    heading->setPalette(colours);
    heading->setAccessibleName(text);
    return heading;
}

} // namespace corvane
