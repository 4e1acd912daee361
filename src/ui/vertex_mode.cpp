#include "ui/vertex_mode.h"

#include "document/map_document.h"

#include <algorithm>

namespace vorn {
namespace {

// Handles this close are one handle: a selected handle is found again after the brush is rebuilt.
constexpr double kSameHandle = 0.01;

bool same(const HandleRef& a, const HandleRef& b)
{
    return a.brush == b.brush && a.kind == b.kind && Length(a.at - b.at) < kSameHandle;
}

} // namespace

void VertexMode::setOn(bool on)
{
    on_ = on;
    if (!on_) {
        selected_.clear();
        moving_.clear();
    }
}

std::vector<HandleRef> VertexMode::handles(const CQMap& map) const
{
    std::vector<HandleRef> all;
    if (!on_) return all;
    for (const BrushLocation at : map.changeableSelection()) {
        const CQBrush& brush = map.brush(at);
        for (const ShapeHandle& h : HandlesOf(ShapeOf(brush))) all.push_back({brush.id(), h.kind, h.at});
    }
    return all;
}

std::vector<HandleMark> VertexMode::marks(const CQMap& map) const
{
    std::vector<HandleMark> marks;
    for (const HandleRef& h : handles(map)) marks.push_back({h.at, h.kind, isSelected(h)});
    return marks;
}

bool VertexMode::isSelected(const HandleRef& handle) const
{
    return std::ranges::any_of(selected_, [&](const HandleRef& s) { return same(s, handle); });
}

void VertexMode::select(std::span<const HandleRef> handles, bool add)
{
    if (!add) selected_.clear();
    for (const HandleRef& h : handles) {
        if (!isSelected(h)) selected_.push_back(h);
    }
}

bool VertexMode::beginMove(const CQMap& map)
{
    moving_.clear();
    moved_ = {};
    for (const BrushLocation at : map.changeableSelection()) {
        const CQBrush& brush = map.brush(at);
        const BrushShape shape = ShapeOf(brush);
        std::vector<int> corners;
        for (const ShapeHandle& h : HandlesOf(shape)) {
            if (!isSelected({brush.id(), h.kind, h.at})) continue;
            const std::vector<int> moved = CornersOf(shape, h.kind, h.index);
            corners.insert(corners.end(), moved.begin(), moved.end());
        }
        std::ranges::sort(corners);
        corners.erase(std::unique(corners.begin(), corners.end()), corners.end());
        if (!corners.empty()) moving_.push_back({brush.id(), brush, std::move(corners)});
    }
    return !moving_.empty();
}

std::optional<ReshapeRefusal> VertexMode::moveTo(MapChange& change, DVec3 offset, DebugOutput& log)
{
    std::vector<CQBrush> shapes;
    for (const Moving& m : moving_) {
        if (offset == DVec3{}) {
            shapes.push_back(m.original);
            continue;
        }
        Reshaped reshaped = MoveCorners(m.original, m.corners, offset, change.map().textureLock, log);
        if (const auto* refusal = std::get_if<ReshapeRefusal>(&reshaped)) return *refusal;
        shapes.push_back(std::move(std::get<CQBrush>(reshaped)));
    }
    for (size_t i = 0; i < moving_.size(); ++i) {
        const BrushLocation at = change.map().locate(moving_[i].brush);
        if (at.valid()) change.replaceBrush(at, std::move(shapes[i]));
    }
    moved_ = offset;
    return std::nullopt;
}

void VertexMode::endMove()
{
    for (HandleRef& h : selected_) {
        if (std::ranges::any_of(moving_, [&](const Moving& m) { return m.brush == h.brush; })) h.at += moved_;
    }
    moving_.clear();
    moved_ = {};
}

std::optional<ReshapeRefusal> VertexMode::moveAsStep(CQMap& map, DVec3 offset, DebugOutput& log)
{
    MapChange change(map, "Move Vertices");
    const auto refusal = moveTo(change, offset, log);
    if (!refusal) change.commit();
    endMove();
    return refusal;
}

std::string_view RefusalText(ReshapeRefusal refusal)
{
    switch (refusal) {
    case ReshapeRefusal::NoVolume:
        return "The brush would have no volume: the move is refused.";
    case ReshapeRefusal::NotConvex:
        return "A moved corner would no longer be a corner of the brush: the move is refused.";
    }
    return {};
}

} // namespace vorn
