#pragma once

#include "platform/canvas.h"

#include <QLine>
#include <vector>

class QImage;
class QPainter;

namespace vorn {

// Draws the views' pictures with a QPainter: solid cosmetic pens, text anchored at its top left.
// Lines and outlines are gathered and drawn in one go per pen: a view of a large map draws tens
// of thousands of short edges. When the painter paints on a 32-bit image under a plain
// translation, give the image too: one-pixel lines are then drawn into it directly.
class QPainterCanvas final : public Canvas {
public:
    explicit QPainterCanvas(QPainter& painter, QImage* target = nullptr);
    ~QPainterCanvas() override;
    QPainterCanvas(const QPainterCanvas&) = delete;
    QPainterCanvas& operator=(const QPainterCanvas&) = delete;

    void setPen(Rgb colour, int width) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void polygon(std::span<const PixelPoint> points) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void fillRect(int left, int top, int right, int bottom) override;
    void textOut(int x, int y, std::string_view text) override;

private:
    void addLine(int x1, int y1, int x2, int y2);
    // Draws the gathered lines with the pen they were gathered for.
    void flush();

    QPainter& painter_;
    QImage* target_;
    Rgb pen_;
    int penWidth_ = 1;
    int x_ = 0;
    int y_ = 0;
    std::vector<QLine> lines_;
};

} // namespace vorn
