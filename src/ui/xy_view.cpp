#include "ui/xy_view.h"

#include "document/entity_commands.h"
#include "document/selection_edits.h"
#include "geometry/numeric.h"
#include "platform/host.h"
#include "ui/preferences.h"
#include "ui/workspace.h"

#include <algorithm>
#include <cmath>

namespace vorn {
namespace {

constexpr float kRayDepth = 4096;
constexpr float kFacePickDepth = 2048;
// How near the mouse a handle must be to take a press, and how far a press may move and still be
// a click, in pixels.
constexpr double kHandlePickRadius = 5;
constexpr int kClickSlack = 2;

float toFloat(int v) { return static_cast<float>(v); }

} // namespace

CXYView::CXYView(Workspace& workspace)
    : workspace_(workspace), scale_(static_cast<float>(workspace.prefs().xyScalePercent) * 0.01f)
{
    if (scale_ <= 0) scale_ = 1.0f; // a stored scale of 0 or less could not show anything
    // Until the window gives it a size the view is a point: the map origin, so that it opens there.
    centreOn(0, 0);
}

void CXYView::setOrientation(ViewOrientation orientation)
{
    if (orientation == orientation_) return;
    // The extents and the scroll position belong to the plane shown: start them again on the map.
    orientation_ = orientation;
    axes_ = AxesOf(orientation);
    extents_ = MapExtents{};
    const Bounds bounds = workspace_.map().GetMapBounds(false);
    growExtents(bounds.mins, bounds.maxs);
    const Vec3 middle = workspace_.map().GeometryMiddle();
    centreOn(TruncateToInt(middle[axes_.right]), TruncateToInt(middle[axes_.up]));
}

Vec3 CXYView::rayStart(MapPoint p) const
{
    return axes_.point(toFloat(p.x), toFloat(p.y), axes_.towardViewer * kRayDepth);
}

Vec3 CXYView::rayEnd(MapPoint p) const
{
    return axes_.point(toFloat(p.x), toFloat(p.y), -axes_.towardViewer * kRayDepth);
}

bool CXYView::showGrid() const
{
    return workspace_.prefs().xyGridShow != 0;
}

void CXYView::toggleGrid()
{
    workspace_.prefs().xyGridShow = showGrid() ? 0 : 1;
}

bool CXYView::drawClassNames() const
{
    return workspace_.prefs().xyDrawNames != 0;
}

void CXYView::setDrawClassNames(bool draw)
{
    workspace_.prefs().xyDrawNames = draw ? 1 : 0;
}

void CXYView::zoomAbout(float pixelsPerUnit, PixelPoint client)
{
    if (pixelsPerUnit <= 0) return;
    const float wx = static_cast<float>(client.x + scrollX_) / scale_ + static_cast<float>(extents_.left);
    const float wy = static_cast<float>(extents_.top) - static_cast<float>(client.y + scrollY_) / scale_;
    scale_ = pixelsPerUnit;
    workspace_.prefs().xyScalePercent = TruncateToInt(pixelsPerUnit * 100);
    const PixelPoint p = mapToWindow(wx, wy);
    scrollTo(p.x - client.x, p.y - client.y);
}

PixelPoint CXYView::mapToWindow(float x, float y) const
{
    return {TruncateToInt((x - static_cast<float>(extents_.left)) * scale_),
            TruncateToInt((static_cast<float>(extents_.top) - y) * scale_)};
}

MapPoint CXYView::clientToMap(int px, int py) const
{
    const float wx = static_cast<float>(px + scrollX_);
    const float wy = static_cast<float>(py + scrollY_);
    return {TruncateToInt(wx / scale_ + static_cast<float>(extents_.left)),
            TruncateToInt(static_cast<float>(extents_.top) - wy / scale_)};
}

int CXYView::scrollWidth() const
{
    return TruncateToInt(static_cast<float>(extents_.right - extents_.left) * scale_);
}

int CXYView::scrollHeight() const
{
    return TruncateToInt(static_cast<float>(extents_.top - extents_.bottom) * scale_);
}

void CXYView::setClientSize(int width, int height)
{
    clientWidth_ = std::max(width, 0);
    clientHeight_ = std::max(height, 0);
    scrollTo(scrollX_, scrollY_);
}

void CXYView::scrollTo(int x, int y)
{
    scrollX_ = std::clamp(x, 0, std::max(0, scrollWidth() - clientWidth_));
    scrollY_ = std::clamp(y, 0, std::max(0, scrollHeight() - clientHeight_));
}

void CXYView::centreOn(int x, int y)
{
    const PixelPoint p = mapToWindow(static_cast<float>(x), static_cast<float>(y));
    scrollTo(p.x - clientWidth_ / 2, p.y - clientHeight_ / 2);
}

MapPoint CXYView::centre() const
{
    return clientToMap(clientWidth_ / 2, clientHeight_ / 2);
}

VisibleArea CXYView::visibleArea() const
{
    const MapPoint topLeft = clientToMap(0, 0);
    const int width = TruncateToInt(static_cast<float>(clientWidth_) / scale_);
    const int height = TruncateToInt(static_cast<float>(clientHeight_) / scale_);
    return {topLeft.x, topLeft.y - height, width, height};
}

void CXYView::growExtents(Vec3 mins, Vec3 maxs)
{
    // Growing to the left or the top moves every window position: keep the view where it was.
    const int oldLeft = extents_.left;
    const int oldTop = extents_.top;
    const int u = axes_.right;
    const int v = axes_.up;
    extents_.left = std::min(extents_.left, TruncateToInt(mins[u] - 64));
    extents_.top = std::max(extents_.top, TruncateToInt(maxs[v] + 64));
    extents_.right = std::max(extents_.right, TruncateToInt(maxs[u] + 64));
    extents_.bottom = std::min(extents_.bottom, TruncateToInt(mins[v] - 64));
    scrollTo(scrollX_ + TruncateToInt(static_cast<float>(oldLeft - extents_.left) * scale_),
             scrollY_ + TruncateToInt(static_cast<float>(extents_.top - oldTop) * scale_));
}

void CXYView::keepInExtents(Vec3 mins, Vec3 maxs)
{
    const int u = axes_.right;
    const int v = axes_.up;
    if (maxs[v] > toFloat(extents_.top) || maxs[u] > toFloat(extents_.right) || mins[v] < toFloat(extents_.bottom) ||
        mins[u] < toFloat(extents_.left)) {
        growExtents(mins, maxs);
    }
}

MapPoint CXYView::snapped(MapPoint p) const
{
    if (!workspace_.snapToGrid()) return p;
    return {TruncateToInt(workspace_.snap(static_cast<float>(p.x))), TruncateToInt(workspace_.snap(static_cast<float>(p.y)))};
}

void CXYView::leftButtonDown(const MouseInput& in)
{
    if (buttonDown_) return;
    buttonDown_ = true;
    dragStart_ = {in.x, in.y};
    previousDelta_ = {};
    const MapPoint at = clientToMap(in.x, in.y);
    CQMap& map = workspace_.map();
    Host& host = workspace_.host();

    if (workspace_.vertexMode().isOn() && !in.ctrl && in.leftOnly) {
        pressInVertexMode(in);
        return;
    }
    if (in.shift) {
        if (!in.ctrl) map.SelectEntityAt(rayStart(at), rayEnd(at), host);
        return;
    }
    if (in.ctrl) {
        lookAt(at);
        host.updateViews(ViewFlags::CameraXY);
        return;
    }
    if (!in.leftOnly) return;
    if (workspace_.clipperMode()) {
        const MapPoint p = snapped(at);
        const DepthRange depth = workspace_.depthRange(axes_.depth);
        workspace_.clipPoints().AddClipPoint(axes_.point(toFloat(p.x), toFloat(p.y), depth.low),
                                             {axes_.depth, axes_.towardViewer, depth.low, depth.high});
        host.updateViews(ViewFlags::Editing);
        return;
    }
    if (startFaceDrag(at)) return;
    if (pressedOnSelection(at)) return;
    if (map.countSelectedBrushes() > 0) return;
    if (map.EntityCount() == 0) {
        CreateWorld(map, workspace_.dialogs(), workspace_.prefs().wad);
        return;
    }
    const CQEntity* current = map.GetCurrentEntity();
    if (current && current->isModifiable()) startSizing(at);
}

bool CXYView::startFaceDrag(MapPoint at)
{
    const Vec3 pickPoint = axes_.point(toFloat(at.x), toFloat(at.y), kFacePickDepth);
    const int along = axes_.depth;
    if (!faceDrag_.start(workspace_.map(), [&](const CQBrush& b) { return b.FacesFacing(pickPoint, along); })) return false;
    dragMode_ = DragMode::DragFaces;
    return true;
}

bool CXYView::pressedOnSelection(MapPoint at)
{
    const CQMap& map = workspace_.map();
    Host& host = workspace_.host();
    // Any selected brush of the current entity under the cursor, not only the topmost brush: a wall
    // picked in the camera under a ceiling is dragged where it is drawn in red.
    const bool onSelection = std::ranges::any_of(map.selectedBrushes(), [&](BrushLocation b) {
        return b.entity == map.currentIndex() && map.brush(b).hitByRay(rayStart(at), rayEnd(at), host).distance >= 0;
    });
    if (!onSelection) return false;
    host.debugOutput("dragging selection\n");
    dragMode_ = DragMode::DragSelection;
    return true;
}

PixelPoint CXYView::toClient(DVec3 p) const
{
    const PixelPoint w = project(ToFloat(p));
    return {w.x - scrollX_, w.y - scrollY_};
}

std::vector<HandleRef> CXYView::handlesAt(int x, int y) const
{
    const std::vector<HandleRef> all = workspace_.vertexMode().handles(workspace_.map());
    const auto distance = [&](PixelPoint p) { return std::hypot(static_cast<double>(p.x - x), static_cast<double>(p.y - y)); };
    std::optional<PixelPoint> nearest;
    for (const HandleRef& h : all) {
        const PixelPoint p = toClient(h.at);
        if (distance(p) <= kHandlePickRadius && (!nearest || distance(p) < distance(*nearest))) nearest = p;
    }
    std::vector<HandleRef> stacked;
    if (!nearest) return stacked;
    for (const HandleRef& h : all) {
        const PixelPoint p = toClient(h.at);
        if (std::abs(p.x - nearest->x) <= 1 && std::abs(p.y - nearest->y) <= 1) stacked.push_back(h);
    }
    return stacked;
}

std::vector<HandleRef> CXYView::handlesWithin(PixelPoint a, PixelPoint b) const
{
    std::vector<HandleRef> inside;
    for (const HandleRef& h : workspace_.vertexMode().handles(workspace_.map())) {
        const PixelPoint p = toClient(h.at);
        if (p.x >= std::min(a.x, b.x) && p.x <= std::max(a.x, b.x) && p.y >= std::min(a.y, b.y) && p.y <= std::max(a.y, b.y)) {
            inside.push_back(h);
        }
    }
    return inside;
}

void CXYView::pressInVertexMode(const MouseInput& in)
{
    VertexMode& mode = workspace_.vertexMode();
    const std::vector<HandleRef> hits = handlesAt(in.x, in.y);
    if (hits.empty()) {
        bandEnd_ = dragStart_;
        bandAdds_ = in.shift;
        dragMode_ = DragMode::SelectHandles;
        return;
    }
    const bool allSelected = std::ranges::all_of(hits, [&](const HandleRef& h) { return mode.isSelected(h); });
    if (in.shift || !allSelected) mode.select(hits, in.shift);
    const auto corner = std::ranges::find(hits, HandleKind::Vertex, &HandleRef::kind);
    grabbedCorner_ = corner != hits.end() ? std::optional(corner->at) : std::nullopt;
    handleOffset_ = {};
    if (mode.beginMove(workspace_.map())) dragMode_ = DragMode::MoveHandles;
    workspace_.host().updateViews(ViewFlags::Editing);
}

void CXYView::moveHandles(MapPoint at)
{
    const MapPoint start = clientToMap(dragStart_.x, dragStart_.y);
    const float along[2] = {toFloat(at.x - start.x), toFloat(at.y - start.y)};
    DVec3 offset;
    for (int k = 0; k < 2; ++k) {
        const int axis = k == 0 ? axes_.right : axes_.up;
        if (!workspace_.snapToGrid()) {
            offset[axis] = along[k];
        } else if (grabbedCorner_) {
            const double from = (*grabbedCorner_)[axis];
            offset[axis] = static_cast<double>(workspace_.snap(static_cast<float>(from + along[k]))) - from;
        } else {
            offset[axis] = workspace_.snap(along[k]);
        }
    }
    if (offset == handleOffset_) return;
    Host& host = workspace_.host();
    MapChange& change = drag_.change(workspace_.map(), "Move Vertices");
    if (const auto refusal = workspace_.vertexMode().moveTo(change, offset, host)) {
        host.statusMessage(RefusalText(*refusal));
        return;
    }
    handleOffset_ = offset;
    change.publish();
}

void CXYView::finishSelectionBand()
{
    VertexMode& mode = workspace_.vertexMode();
    const bool click = std::abs(bandEnd_.x - dragStart_.x) <= kClickSlack && std::abs(bandEnd_.y - dragStart_.y) <= kClickSlack;
    if (!click) {
        mode.select(handlesWithin(dragStart_, bandEnd_), bandAdds_);
    } else if (bandAdds_) {
        // Shift+click beside the handles selects brushes, as outside vertex mode.
        const MapPoint at = clientToMap(dragStart_.x, dragStart_.y);
        workspace_.map().SelectEntityAt(rayStart(at), rayEnd(at), workspace_.host());
    } else {
        mode.clearSelection();
    }
    workspace_.host().updateViews(ViewFlags::Editing);
}

void CXYView::startSizing(MapPoint at)
{
    Host& host = workspace_.host();
    host.debugOutput("sizing new brush\n");
    const MapPoint anchor = snapped(at);
    const CQMap& map = workspace_.map();
    const DepthRange depth = workspace_.depthRange(axes_.depth);
    sizeAnchor_ = axes_.point(toFloat(anchor.x), toFloat(anchor.y), depth.low);
    sizeCorner_ = axes_.point(toFloat(anchor.x), toFloat(anchor.y), depth.high);
    newBrush_.Clear();
    newBrush_.MakeBox(sizeAnchor_, sizeCorner_, map.currentTexture(), host);
    newBrushActive_ = true;
    dragMode_ = DragMode::SizeNewBrush;
}

Vec3 CXYView::placementPoint(int x, int y, float boxBottom) const
{
    const MapPoint at = snapped(clientToMap(x, y));
    if (orientation_ == ViewOrientation::Top) return {toFloat(at.x), toFloat(at.y), workspace_.map().GetMinZ() - boxBottom};
    const DepthRange depth = workspace_.depthRange(axes_.depth);
    const float middle = (depth.low + depth.high) / 2;
    return axes_.point(toFloat(at.x), toFloat(at.y), workspace_.snapToGrid() ? workspace_.snap(middle) : middle);
}

void CXYView::rightButtonDown(const MouseInput& in)
{
    rightDown_ = true;
    rightMoved_ = false;
    rightStart_ = {in.x, in.y};
}

bool CXYView::rightButtonUp()
{
    const bool click = rightDown_ && !rightMoved_;
    rightDown_ = false;
    return click;
}

void CXYView::mouseMove(const MouseInput& in)
{
    if (rightDown_ && (in.x != rightStart_.x || in.y != rightStart_.y)) rightMoved_ = true;
    const MapPoint at = clientToMap(in.x, in.y);
    Host& host = workspace_.host();
    mousePosition_ = at;
    host.controlPanelChanged();
    if (!buttonDown_) return;
    if (dragMode_ == DragMode::MoveHandles) {
        moveHandles(at);
        return;
    }
    if (dragMode_ == DragMode::SelectHandles) {
        bandEnd_ = {in.x, in.y};
        host.updateViews(ViewFlags::XY);
        return;
    }

    const MapPoint start = snapped(clientToMap(dragStart_.x, dragStart_.y));
    const MapPoint now = snapped(at);
    const MapPoint delta{now.x - start.x, now.y - start.y};
    const Vec3 step = axes_.point(toFloat(delta.x - previousDelta_.x), toFloat(delta.y - previousDelta_.y), 0);
    previousDelta_ = delta;
    if (step == kOrigin) return;

    switch (dragMode_) {
    case DragMode::DragFaces: {
        MapChange& change = drag_.change(workspace_.map(), "Resize Brush");
        if (faceDrag_.moveBy(change, step, host)) change.publish();
        break;
    }
    case DragMode::DragSelection: {
        MapChange& change = drag_.change(workspace_.map(), "Move");
        MoveSelection(change, step);
        change.publish();
        break;
    }
    case DragMode::SizeNewBrush: {
        sizeCorner_ += step;
        Vec3 mins;
        Vec3 maxs;
        for (int axis = 0; axis < 3; ++axis) {
            mins[axis] = std::min(sizeAnchor_[axis], sizeCorner_[axis]);
            maxs[axis] = std::max(sizeAnchor_[axis], sizeCorner_[axis]);
        }
        newBrush_.MakeBox(mins, maxs, workspace_.map().currentTexture(), host);
        host.updateViews(ViewFlags::XY);
        break;
    }
    case DragMode::Idle:
    case DragMode::MoveHandles:
    case DragMode::SelectHandles:
        break;
    }
}

void CXYView::leftButtonUp(const MouseInput&)
{
    if (!buttonDown_) return;
    finishDrag();
    buttonDown_ = false;
    dragMode_ = DragMode::Idle;
}

void CXYView::finishDrag()
{
    if (MapChange* change = drag_.live(); change && dragMode_ == DragMode::DragFaces) faceDrag_.finish(*change);
    faceDrag_.end();
    if (dragMode_ == DragMode::MoveHandles) workspace_.vertexMode().endMove();
    if (dragMode_ == DragMode::SelectHandles) finishSelectionBand();
    if (dragMode_ == DragMode::SizeNewBrush) {
        const CQBrush made = newBrush_;
        newBrush_.Clear();
        newBrushActive_ = false;
        // Tab during the drag can make a point entity current; its box is all it may hold.
        AddNewBrush(workspace_.map(), made);
        workspace_.host().updateViews(ViewFlags::XY);
    }
    drag_.commit();
}

void CXYView::doubleClick(const MouseInput& in)
{
    const MapPoint at = clientToMap(in.x, in.y);
    if (in.ctrl) {
        moveCameraTo(at);
    } else if (orientation_ == ViewOrientation::Top) {
        workspace_.setZColumn(at);
        workspace_.host().updateViews(ViewFlags::XYZ);
    }
}

bool CXYView::keyDown(ViewKey key)
{
    Vec3 direction;
    switch (key) {
    case ViewKey::Left:
        direction = axes_.point(-1, 0, 0);
        break;
    case ViewKey::Right:
        direction = axes_.point(1, 0, 0);
        break;
    case ViewKey::Up:
        direction = axes_.point(0, 1, 0);
        break;
    case ViewKey::Down:
        direction = axes_.point(0, -1, 0);
        break;
    default:
        return HandleCommonKey(workspace_, key);
    }
    CQMap& map = workspace_.map();
    const bool snapping = workspace_.snapToGrid();
    // Selected handles move by the grid; brushes by 16 units (one with snapping off).
    if (VertexMode& vertices = workspace_.vertexMode(); vertices.isOn() && vertices.beginMove(map)) {
        const float step = snapping ? toFloat(workspace_.gridSize()) : 1.0f;
        if (const auto refusal = vertices.moveAsStep(map, ToDouble(direction * step), workspace_.host())) {
            workspace_.host().statusMessage(RefusalText(*refusal));
        }
        return true;
    }
    NudgeSelection(map, direction * (snapping ? 16.0f : 1.0f));
    return true;
}

void CXYView::contextMenuAt(int x, int y)
{
    dragStart_ = {x, y};
}

void CXYView::connectEntitiesHere()
{
    const MapPoint at = clientToMap(dragStart_.x, dragStart_.y);
    ConnectEntities(workspace_.map(), workspace_.host(), rayStart(at), rayEnd(at), workspace_.prefs().curTargetId);
}

void CXYView::moveCameraHere()
{
    moveCameraTo(clientToMap(dragStart_.x, dragStart_.y));
}

void CXYView::moveCameraTo(MapPoint at)
{
    // The camera keeps its place along the axis the view looks along.
    CameraModel& camera = workspace_.camera();
    camera.placeAt(axes_.point(toFloat(at.x), toFloat(at.y), camera.position3D()[axes_.depth]));
    workspace_.host().updateViews(ViewFlags::CameraXY);
}

void CXYView::lookAt(MapPoint at)
{
    CameraModel& camera = workspace_.camera();
    if (orientation_ == ViewOrientation::Top) {
        camera.lookAt(toFloat(at.x), toFloat(at.y));
    } else {
        camera.lookAtPoint(axes_.point(toFloat(at.x), toFloat(at.y), camera.position3D()[axes_.depth]));
    }
}

void CXYView::centreOnMap()
{
    const Vec3 middle = workspace_.map().GeometryMiddle();
    centreOn(TruncateToInt(middle[axes_.right]), TruncateToInt(middle[axes_.up]));
    workspace_.host().updateViews(ViewFlags::XY);
}

void CXYView::findCamera()
{
    const Vec3 camera = workspace_.camera().position3D();
    centreOn(TruncateToInt(camera[axes_.right]), TruncateToInt(camera[axes_.up]));
    workspace_.host().updateViews(ViewFlags::XY);
}

} // namespace vorn
