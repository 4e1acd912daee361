#pragma once

#include "platform/canvas.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

namespace vorn::test {

using PixelBox = std::array<int, 4>; // left, top, right and bottom pixels, edges included

// One drawing call and its pen colour; points: a line's ends, a polygon's corners, an ellipse's or
// a filled rectangle's box.
struct DrawCall {
    enum class Kind { Line, Polygon, Ellipse, Fill, Text };
    Kind kind = Kind::Line;
    Rgb pen;
    std::vector<PixelPoint> points;
    std::string text;

    PixelBox bounds() const
    {
        const auto [left, right] = std::ranges::minmax(points, {}, &PixelPoint::x);
        const auto [top, bottom] = std::ranges::minmax(points, {}, &PixelPoint::y);
        return {left.x, top.y, right.x, bottom.y};
    }
};

// Keeps every call a view paints, in order: what was drawn, in which colour and before what.
class RecordingCanvas : public Canvas {
public:
    using Kind = DrawCall::Kind;
    template <typename View>
    explicit RecordingCanvas(const View& view) { view.paint(*this); }

    void setPen(Rgb colour, int) override { pen_ = colour; }
    void moveTo(int x, int y) override { at_ = {x, y}; }
    void lineTo(int x, int y) override { add(Kind::Line, {std::exchange(at_, {x, y}), {x, y}}); }
    void polygon(std::span<const PixelPoint> points) override { add(Kind::Polygon, {points.begin(), points.end()}); }
    void ellipse(int l, int t, int r, int b) override { add(Kind::Ellipse, {{l, t}, {r, b}}); }
    void fillRect(int l, int t, int r, int b) override { add(Kind::Fill, {{l, t}, {r, b}}); }
    void textOut(int x, int y, std::string_view text) override { add(Kind::Text, {{x, y}}, std::string(text)); }

    // The calls of one kind drawn with one pen colour, in order.
    std::vector<DrawCall> drawn(Kind kind, Rgb pen) const
    {
        std::vector<DrawCall> found;
        for (const DrawCall& c : calls) if (c.kind == kind && c.pen == pen) found.push_back(c);
        return found;
    }
    // An outline in that colour whose corners span exactly the box.
    bool outlined(Rgb pen, PixelBox box) const
    {
        return std::ranges::count(drawn(Kind::Polygon, pen), box, &DrawCall::bounds) > 0;
    }
    // A line in that colour from one point to the other.
    bool lineBetween(Rgb pen, PixelPoint from, PixelPoint to) const
    {
        return std::ranges::count(drawn(Kind::Line, pen), std::vector{from, to}, &DrawCall::points) > 0;
    }
    // Something was drawn in both colours, and all of the first colour before any of the second.
    bool drawnBefore(Rgb earlier, Rgb later) const
    {
        const auto next = std::ranges::find(calls, later, &DrawCall::pen);
        return next != calls.end() && std::ranges::find(calls, earlier, &DrawCall::pen) < next &&
               std::ranges::find(next, calls.end(), earlier, &DrawCall::pen) == calls.end();
    }

    std::vector<DrawCall> calls;

private:
    void add(Kind k, std::vector<PixelPoint> p, std::string t = {}) { calls.push_back({k, pen_, p, t}); }

    Rgb pen_;
    PixelPoint at_;
};

} // namespace vorn::test
