#include "document/map_document.h"
#include "ui/workspace.h"
#include "geometry/numeric.h"
#include "ui/entity_pens.h"
#include "ui/z_view.h"

#include <string>

namespace vorn {
namespace {

struct ZFrame {
    int width;
    int height;
    int scrollBar;
    int zeroRow; // the row of height 0
    int rowOf(float z) const { return zeroRow - TruncateToInt(z); }
};

void outline(Canvas& canvas, int left, int top, int right, int bottom)
{
    const PixelPoint corners[] = {{right, top}, {left, top}, {left, bottom}, {right, bottom}};
    canvas.polygon(corners);
}

// Lines every 16 units going up and then down from height 0, in groups of four whose last line
// is shorter; each labelled with its height.
void drawScale(Canvas& canvas, const ZFrame& f)
{
    canvas.setPen(Colours::Grid);
    for (const int direction : {-1, 1}) {
        int row = f.zeroRow;
        int height = 0;
        const auto inside = [&] { return direction < 0 ? row > 0 : row < f.height; };
        do {
            for (int k = 0; k < 4; ++k) {
                canvas.moveTo(k < 3 ? f.scrollBar : f.scrollBar + 25, row);
                canvas.lineTo(f.width, row);
                canvas.textOut(f.scrollBar + 1, row - 8, std::to_string(height));
                row += direction * CZView::kGridStep;
                height -= direction * CZView::kGridStep;
            }
        } while (inside());
    }
}

void drawWorkHeights(Canvas& canvas, const ZFrame& f, const CQMap& map)
{
    canvas.setPen(Colours::Magenta);
    for (const float z : {map.GetMinZ(), map.GetMaxZ()}) {
        canvas.moveTo(0, f.rowOf(z));
        canvas.lineTo(f.width, f.rowOf(z));
    }
}

void drawCamera(Canvas& canvas, const ZFrame& f, float height)
{
    canvas.setPen(Colours::Green);
    const int r = f.width;
    const int y = f.rowOf(height);
    const PixelPoint box[] = {{r - 58, y}, {r - 58, y - 4}, {r - 58, y + 4}, {r - 42, y + 4}, {r - 42, y - 4}, {r - 58, y - 4}};
    canvas.moveTo(box[0].x, box[0].y);
    for (size_t i = 1; i < std::size(box); ++i) canvas.lineTo(box[i].x, box[i].y);
    canvas.moveTo(r - 50, y);
    canvas.lineTo(r - 40, y - 10);
    canvas.moveTo(r - 50, y);
    canvas.lineTo(r - 40, y + 10);
}

void drawClipPoints(Canvas& canvas, const ZFrame& f, const ClipPoints& points)
{
    canvas.setPen(Colours::ClipPoint);
    const int x = f.width / 2;
    for (int i = 0; i < points.count(); ++i) {
        const int y = f.rowOf(points.point(i).z);
        canvas.ellipse(x - 5, y - 5, x + 5, y + 5);
        canvas.textOut(x + 5, y - 5, std::to_string(i));
    }
}

void drawBrush(Canvas& canvas, const ZFrame& f, const CQBrush& brush, bool selected, MapPoint column, Rgb pen)
{
    if (selected) {
        canvas.setPen(Colours::Red);
        outline(canvas, f.width - 32, f.rowOf(brush.maxs().z), f.width - 9, f.rowOf(brush.mins().z));
    }
    const float x = static_cast<float>(column.x);
    const float y = static_cast<float>(column.y);
    if (!(x > brush.mins().x && x < brush.maxs().x && y > brush.mins().y && y < brush.maxs().y)) return;
    const LineClip clip = brush.ClipLineToBrush({x, y, 4096}, {x, y, -4096});
    if (clip.enterFace < 0 || clip.exitFace < 0) return;
    canvas.setPen(pen);
    const int top = f.rowOf(clip.enter.z);
    const int bottom = f.rowOf(clip.exit.z);
    outline(canvas, f.width - 16, top, f.width, bottom);
    outline(canvas, f.width - 24, top, f.width, bottom);
}

void drawEntity(Canvas& canvas, const ZFrame& f, const CQMap& map, const CQEntity& entity, MapPoint column, Rgb pen)
{
    for (const CQBrush& brush : entity.brushes()) {
        if (map.isHidden(brush)) continue;
        drawBrush(canvas, f, brush, entity.isCurrent() && map.isSelected(brush), column, pen);
    }
}

} // namespace

void CZView::paint(Canvas& canvas) const
{
    const ZFrame frame{width_, height_, scrollBarWidth_, TruncateToInt(static_cast<float>(height_) + bottomZ_)};
    drawScale(canvas, frame);
    const CQMap& map = workspace_.map();
    drawWorkHeights(canvas, frame, map);
    drawCamera(canvas, frame, workspace_.camera().position3D().z);
    if (workspace_.clipperMode()) drawClipPoints(canvas, frame, workspace_.clipPoints());

    const MapPoint column = workspace_.zColumn();
    DrawCurrentEntityLast(map, [&](const CQEntity& entity, Rgb pen) { drawEntity(canvas, frame, map, entity, column, pen); });
}

} // namespace vorn
