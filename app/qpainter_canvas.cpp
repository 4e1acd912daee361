#include "qpainter_canvas.h"

#include "line_raster.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace vorn {

QPainterCanvas::QPainterCanvas(QPainter& painter, QImage* target) : painter_(painter), target_(target)
{
    const bool direct = target_ && painter_.transform().type() <= QTransform::TxTranslate &&
                        (target_->format() == QImage::Format_RGB32 ||
                         target_->format() == QImage::Format_ARGB32_Premultiplied);
    if (!direct) target_ = nullptr;
    painter_.setBrush(Qt::NoBrush);
    pen_ = Colours::Black;
    painter_.setPen(QPen(Qt::black, 0));
}

QPainterCanvas::~QPainterCanvas()
{
    flush();
}

void QPainterCanvas::setPen(Rgb colour, int width)
{
    if (colour == pen_ && width == penWidth_) return;
    flush();
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
    addLine(x_, y_, x, y);
    x_ = x;
    y_ = y;
}

void QPainterCanvas::addLine(int x1, int y1, int x2, int y2)
{
    // Drawn in batches that stay in the cache: a whole large map is a million lines and more.
    constexpr size_t kBatch = 8192;
    if (lines_.size() == kBatch) flush();
    lines_.emplace_back(x1, y1, x2, y2);
}

void QPainterCanvas::polygon(std::span<const PixelPoint> points)
{
    if (points.empty()) return;
    const size_t before = lines_.size();
    PixelPoint previous = points.back();
    for (const PixelPoint& p : points) {
        // Edges shorter than a pixel draw nothing a neighbour does not draw already.
        if (p != previous) addLine(previous.x, previous.y, p.x, p.y);
        previous = p;
    }
    // An outline smaller than a pixel still shows as a dot.
    if (lines_.size() == before) addLine(previous.x, previous.y, previous.x, previous.y);
}

void QPainterCanvas::ellipse(int left, int top, int right, int bottom)
{
    flush();
    const QBrush previous = painter_.brush();
    painter_.setBrush(Qt::white);
    painter_.drawEllipse(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
    painter_.setBrush(previous);
}

void QPainterCanvas::fillRect(int left, int top, int right, int bottom)
{
    flush();
    painter_.fillRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)), QColor(pen_.r, pen_.g, pen_.b));
}

void QPainterCanvas::textOut(int x, int y, std::string_view text)
{
    flush();
    const QFontMetrics metrics = painter_.fontMetrics();
    const QPen previous = painter_.pen();
    painter_.setPen(Qt::black);
    painter_.drawText(x, y + metrics.ascent(), QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    painter_.setPen(previous);
}

void QPainterCanvas::flush()
{
    if (lines_.empty()) return;
    if (target_ && penWidth_ <= 1) {
        const QPoint offset(static_cast<int>(painter_.transform().dx()), static_cast<int>(painter_.transform().dy()));
        DrawLinesInto(*target_, offset, lines_, qRgb(pen_.r, pen_.g, pen_.b));
    } else {
        painter_.drawLines(lines_.data(), static_cast<int>(lines_.size()));
    }
    lines_.clear();
}

} // namespace vorn
