#pragma once

#include "platform/canvas.h"

class QPainter;

namespace vorn {

// Draws the views' pictures with a QPainter: solid cosmetic pens, text anchored at its top left.
class QPainterCanvas final : public Canvas {
public:
    explicit QPainterCanvas(QPainter& painter);

    void setPen(Rgb colour, int width) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void polygon(std::span<const PixelPoint> points) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void textOut(int x, int y, std::string_view text) override;

private:
    QPainter& painter_;
    Rgb pen_;
    int penWidth_ = 1;
    int x_ = 0;
    int y_ = 0;
};

} // namespace vorn
