#include "ui/handle_drawing.h"

#include "ui/xy_view.h"

namespace vorn {
namespace {

void drawMark(Canvas& canvas, PixelPoint p, HandleKind kind)
{
    const int h = kind == HandleKind::Edge ? kHandleHalfSize - 1 : kHandleHalfSize;
    if (kind == HandleKind::Face) {
        const PixelPoint square[] = {{p.x - h, p.y - h}, {p.x + h, p.y - h}, {p.x + h, p.y + h}, {p.x - h, p.y + h}};
        canvas.polygon(square);
    } else {
        canvas.fillRect(p.x - h, p.y - h, p.x + h + 1, p.y + h + 1);
    }
}

} // namespace

void DrawHandlesXY(Canvas& canvas, const CXYView& view, std::span<const HandleMark> marks)
{
    for (const bool selected : {false, true}) {
        canvas.setPen(selected ? Colours::SelectedHandle : Colours::Handle);
        // Corners over edges over faces, where a view sees them at one spot.
        for (const HandleKind kind : {HandleKind::Face, HandleKind::Edge, HandleKind::Vertex}) {
            for (const HandleMark& mark : marks) {
                if (mark.selected == selected && mark.kind == kind) drawMark(canvas, view.project(ToFloat(mark.at)), kind);
            }
        }
    }
}

void DrawSelectionBand(Canvas& canvas, PixelPoint from, PixelPoint to)
{
    canvas.setPen(Colours::SelectedHandle);
    const PixelPoint corners[] = {from, {to.x, from.y}, to, {from.x, to.y}};
    canvas.polygon(corners);
}

} // namespace vorn
