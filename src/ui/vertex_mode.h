#pragma once

#include "geometry/brush.h"
#include "geometry/brush_reshape.h"
#include "geometry/brush_shape.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace vorn {

class CQMap;
class DebugOutput;
class MapChange;

// A handle of a selected brush: the brush, what the handle stands for and where it is.
struct HandleRef {
    BrushId brush = 0;
    HandleKind kind = HandleKind::Vertex;
    DVec3 at;
};

// A handle as the views draw it.
struct HandleMark {
    DVec3 at;
    HandleKind kind;
    bool selected;
};

// Vertex mode: the selected brushes of the current entity, when it may change them, show handles
// at their corners, the middles of their edges and the centres of their faces. Selected handles
// move together, and each brush they belong to becomes the convex solid of its moved corners. A
// selected handle is known by where it is, so it stays selected while a move takes it along.
class VertexMode {
public:
    bool isOn() const { return on_; }
    // Turning it off forgets which handles were selected.
    void setOn(bool on);

    // Every handle of the selected brushes: faces', edges', then corners' of each brush.
    std::vector<HandleRef> handles(const CQMap& map) const;
    std::vector<HandleMark> marks(const CQMap& map) const;
    bool isSelected(const HandleRef& handle) const;
    // Selects the handles: instead of those selected, or besides them when `add`.
    void select(std::span<const HandleRef> handles, bool add);
    void clearSelection() { selected_.clear(); }

    // A move of the selected handles, in steps that each say where they are from the start.
    // Starts one; false when no selected handle belongs to a selected brush.
    bool beginMove(const CQMap& map);
    // Every brush the handles belong to takes its shape with them moved by `offset`, or, when
    // one of them cannot, none changes and the refusal is returned.
    std::optional<ReshapeRefusal> moveTo(MapChange& change, DVec3 offset, DebugOutput& log);
    // The selected handles stay where the last step that was made left them.
    void endMove();
    // A move begun that is one step of its own (an arrow key): it is made and ended.
    std::optional<ReshapeRefusal> moveAsStep(CQMap& map, DVec3 offset, DebugOutput& log);

private:
    struct Moving {
        BrushId brush;
        CQBrush original;
        std::vector<int> corners;
    };

    bool on_ = false;
    std::vector<HandleRef> selected_;
    std::vector<Moving> moving_;
    DVec3 moved_;
};

// What the status bar says when a move is refused.
std::string_view RefusalText(ReshapeRefusal refusal);

} // namespace vorn
