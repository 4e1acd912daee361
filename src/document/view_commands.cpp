#include "document/view_commands.h"

#include "geometry/numeric.h"
#include "editor/editor.h"
#include "platform/host.h"

namespace vorn {

void CenterOnMap(Editor& editor)
{
    const Vec3 centre = editor.map().GeometryMiddle();
    editor.xyView().centreOn(TruncateToInt(centre.x), TruncateToInt(centre.y));
    editor.updateViews(ViewFlags::XY);
}

void FindCamera(Editor& editor)
{
    const MapPoint camera = editor.camera().position2D();
    editor.xyView().centreOn(camera.x, camera.y);
    editor.updateViews(ViewFlags::XY);
}

void ToggleClassNames(Editor& editor)
{
    CXYView& xy = editor.xyView();
    xy.setDrawClassNames(!xy.drawClassNames());
    editor.updateViews(ViewFlags::XY);
}

void ToggleGrid(Editor& editor)
{
    editor.xyView().toggleGrid();
    editor.updateViews(ViewFlags::XY);
}

} // namespace vorn
