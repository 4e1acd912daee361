#include "qpainter_canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPoint>
#include <QVarLengthArray>

namespace vorn {

QPainterCanvas::QPainterCanvas(QPainter& painter) : painter_(painter)
{
    painter_.setBrush(Qt::NoBrush);
    setPen(Colours::Black, 1);
}

void QPainterCanvas::setPen(Rgb colour, int width)
{
    if (colour == pen_ && width == penWidth_ && painter_.pen().style() != Qt::NoPen) return;
    pen_ = colour;
    penWidth_ = width;
    QPen pen(QColor(colour.r, colour.g, colour.b));
    pen.setWidth(width <= 1 ? 0 : width); // width 0: one pixel whatever the scale
    painter_.setPen(pen);
}

void QPainterCanvas::moveTo(int x, int y)
{
    x_ = x;
    y_ = y;
}

void QPainterCanvas::lineTo(int x, int y)
{
    painter_.drawLine(x_, y_, x, y);
    x_ = x;
    y_ = y;
}

void QPainterCanvas::polygon(std::span<const PixelPoint> points)
{
    QVarLengthArray<QPoint, 64> corners;
    for (const PixelPoint& p : points) corners.append(QPoint(p.x, p.y));
    painter_.drawPolygon(corners.constData(), static_cast<int>(corners.size()));
}

void QPainterCanvas::ellipse(int left, int top, int right, int bottom)
{
    const QBrush previous = painter_.brush();
    painter_.setBrush(Qt::white);
    painter_.drawEllipse(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
    painter_.setBrush(previous);
}

void QPainterCanvas::textOut(int x, int y, std::string_view text)
{
    const QFontMetrics metrics = painter_.fontMetrics();
    const QPen previous = painter_.pen();
    painter_.setPen(Qt::black);
    painter_.drawText(x, y + metrics.ascent(), QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    painter_.setPen(previous);
}

} // namespace vorn
