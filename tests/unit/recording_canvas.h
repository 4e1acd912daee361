#pragma once

#include "platform/canvas.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace vorn::test {

// A box of pixels, edges included.
struct PixelBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const PixelBox&, const PixelBox&) = default;
};

// One drawing call with the pen that was in use.
struct DrawCall {
    enum class Kind { Line, Polygon, Ellipse, Text };
    Kind kind = Kind::Line;
    Rgb pen;
    int penWidth = 1;
    // Line: from and to. Polygon: the corners. Ellipse: top left and bottom right. Text: where.
    std::vector<PixelPoint> points;
    std::string text;

    PixelBox bounds() const
    {
        PixelBox box{points.front().x, points.front().y, points.front().x, points.front().y};
        for (const PixelPoint& p : points) {
            box.left = std::min(box.left, p.x);
            box.top = std::min(box.top, p.y);
            box.right = std::max(box.right, p.x);
            box.bottom = std::max(box.bottom, p.y);
        }
        return box;
    }
};

// A canvas that keeps every call in order, so that a test can ask what was drawn, in which
// colour and before what.
class RecordingCanvas : public Canvas {
public:
    using Kind = DrawCall::Kind;

    void setPen(Rgb colour, int width) override
    {
        pen_ = colour;
        penWidth_ = width;
    }
    void moveTo(int x, int y) override { at_ = {x, y}; }
    void lineTo(int x, int y) override
    {
        record(Kind::Line, {at_, {x, y}});
        at_ = {x, y};
    }
    void polygon(std::span<const PixelPoint> points) override
    {
        record(Kind::Polygon, std::vector<PixelPoint>(points.begin(), points.end()));
    }
    void ellipse(int left, int top, int right, int bottom) override
    {
        record(Kind::Ellipse, {{left, top}, {right, bottom}});
    }
    void textOut(int x, int y, std::string_view text) override { record(Kind::Text, {{x, y}}, std::string(text)); }

    // The calls of one kind drawn with one pen colour, in order.
    std::vector<DrawCall> drawn(Kind kind, Rgb pen) const
    {
        std::vector<DrawCall> found;
        for (const DrawCall& c : calls) {
            if (c.kind == kind && c.pen == pen) found.push_back(c);
        }
        return found;
    }
    int count(Kind kind, Rgb pen) const { return static_cast<int>(drawn(kind, pen).size()); }

    // An outline in that colour whose corners span exactly the box.
    bool outlined(Rgb pen, PixelBox box) const
    {
        return std::ranges::any_of(calls, [&](const DrawCall& c) {
            return c.kind == Kind::Polygon && c.pen == pen && c.bounds() == box;
        });
    }
    // A line in that colour between the two points, in either direction.
    bool lineBetween(Rgb pen, PixelPoint a, PixelPoint b) const
    {
        return std::ranges::any_of(calls, [&](const DrawCall& c) {
            return c.kind == Kind::Line && c.pen == pen &&
                   ((c.points[0] == a && c.points[1] == b) || (c.points[0] == b && c.points[1] == a));
        });
    }
    // Whether anything at all touched the pixel box.
    bool touches(PixelBox box) const
    {
        return std::ranges::any_of(calls, [&](const DrawCall& c) {
            const PixelBox b = c.bounds();
            return b.left <= box.right && box.left <= b.right && b.top <= box.bottom && box.top <= b.bottom;
        });
    }

    std::vector<std::string> texts() const
    {
        std::vector<std::string> found;
        for (const DrawCall& c : calls) {
            if (c.kind == Kind::Text) found.push_back(c.text);
        }
        return found;
    }
    std::optional<PixelPoint> textAt(std::string_view text) const
    {
        for (const DrawCall& c : calls) {
            if (c.kind == Kind::Text && c.text == text) return c.points.front();
        }
        return std::nullopt;
    }

    // Index of the first or last call made with the pen colour; -1 when there is none.
    int firstWith(Rgb pen) const
    {
        for (size_t i = 0; i < calls.size(); ++i) {
            if (calls[i].pen == pen) return static_cast<int>(i);
        }
        return -1;
    }
    int lastWith(Rgb pen) const
    {
        for (size_t i = calls.size(); i-- > 0;) {
            if (calls[i].pen == pen) return static_cast<int>(i);
        }
        return -1;
    }

    void clear() { calls.clear(); }

    std::vector<DrawCall> calls;

private:
    void record(Kind kind, std::vector<PixelPoint> points, std::string text = {})
    {
        calls.push_back({kind, pen_, penWidth_, std::move(points), std::move(text)});
    }

    Rgb pen_;
    int penWidth_ = 1;
    PixelPoint at_;
};

} // namespace vorn::test
