#include "ui/xy_view.h"

#include "document/entity_commands.h"
#include "editor/editor.h"
#include "geometry/grid.h"
#include "geometry/numeric.h"
#include "platform/host.h"

#include <algorithm>
#include <cmath>

namespace vorn {
namespace {

constexpr float kRayHeight = 4096;
constexpr float kFacePickHeight = 2048;

Vec3 rayTop(MapPoint p) { return {static_cast<float>(p.x), static_cast<float>(p.y), kRayHeight}; }
Vec3 rayBottom(MapPoint p) { return {static_cast<float>(p.x), static_cast<float>(p.y), -kRayHeight}; }

} // namespace

CXYView::CXYView(Editor& editor)
    : editor_(editor),
      gridSize_(editor.prefs().xyGridSize),
      snapToGrid_(editor.prefs().xyGridSnap != 0),
      showGrid_(editor.prefs().xyGridShow != 0),
      drawClassNames_(editor.prefs().xyDrawNames != 0),
      scale_(static_cast<float>(editor.prefs().xyScalePercent) * 0.01f)
{
    if (scale_ <= 0) scale_ = 1.0f; // a stored scale of 0 or less could not show anything
    // Until the window gives it a size the view is a point: the map origin, so that it opens there.
    centreOn(0, 0);
}

void CXYView::setGridSize(int size)
{
    if (size <= 0) return;
    gridSize_ = size;
    editor_.prefs().xyGridSize = size;
}

void CXYView::setSnapToGrid(bool snap)
{
    snapToGrid_ = snap;
    editor_.prefs().xyGridSnap = snap ? 1 : 0;
}

void CXYView::toggleGrid()
{
    showGrid_ = !showGrid_;
    editor_.prefs().xyGridShow = showGrid_ ? 1 : 0;
}

void CXYView::setDrawClassNames(bool draw)
{
    drawClassNames_ = draw;
    editor_.prefs().xyDrawNames = draw ? 1 : 0;
}

float CXYView::snap(float v) const
{
    return SnapToGrid(v, gridSize_);
}

void CXYView::toggleClipperMode()
{
    clipperMode_ = !clipperMode_;
    editor_.updateViews(ViewFlags::All);
}

void CXYView::zoomAbout(float pixelsPerUnit, PixelPoint client)
{
    if (pixelsPerUnit <= 0) return;
    const float wx = static_cast<float>(client.x + scrollX_) / scale_ + static_cast<float>(extents_.left);
    const float wy = static_cast<float>(extents_.top) - static_cast<float>(client.y + scrollY_) / scale_;
    scale_ = pixelsPerUnit;
    editor_.prefs().xyScalePercent = TruncateToInt(pixelsPerUnit * 100);
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
    extents_.left = std::min(extents_.left, TruncateToInt(mins.x - 64));
    extents_.top = std::max(extents_.top, TruncateToInt(maxs.y + 64));
    extents_.right = std::max(extents_.right, TruncateToInt(maxs.x + 64));
    extents_.bottom = std::min(extents_.bottom, TruncateToInt(mins.y - 64));
    scrollTo(scrollX_ + TruncateToInt(static_cast<float>(oldLeft - extents_.left) * scale_),
             scrollY_ + TruncateToInt(static_cast<float>(extents_.top - oldTop) * scale_));
}

bool CXYView::outsideExtents(Vec3 mins, Vec3 maxs) const
{
    return maxs.y > static_cast<float>(extents_.top) || maxs.x > static_cast<float>(extents_.right) ||
           mins.y < static_cast<float>(extents_.bottom) || mins.x < static_cast<float>(extents_.left);
}

MapPoint CXYView::snapped(MapPoint p) const
{
    if (!snapToGrid_) return p;
    return {TruncateToInt(snap(static_cast<float>(p.x))), TruncateToInt(snap(static_cast<float>(p.y)))};
}

void CXYView::leftButtonDown(const MouseInput& in)
{
    if (buttonDown_) return;
    buttonDown_ = true;
    dragStart_ = {in.x, in.y};
    previousDelta_ = {};
    const MapPoint at = clientToMap(in.x, in.y);

    if (in.shift) {
        if (!in.ctrl) {
            editor_.map().SelectEntityAt(rayTop(at), rayBottom(at));
            editor_.updateViews(ViewFlags::Editing);
        }
        return;
    }
    if (in.ctrl) {
        editor_.camera().lookAt(static_cast<float>(at.x), static_cast<float>(at.y));
        editor_.updateViews(ViewFlags::CameraXY);
        return;
    }
    if (!in.leftOnly) return;
    if (clipperMode_) {
        const MapPoint p = snapped(at);
        CQMap& map = editor_.map();
        editor_.clipPoints().AddClipPoint(static_cast<float>(p.x), static_cast<float>(p.y), map.GetMinZ(), map.GetMaxZ());
        editor_.updateViews(ViewFlags::Editing);
        return;
    }
    if (startFaceDrag(at)) return;
    if (pressedOnSelection(at)) return;
    CQMap& map = editor_.map();
    if (map.countSelectedBrushes() > 0) return;
    if (map.EntityCount() == 0) {
        CreateWorld(editor_);
        return;
    }
    const CQEntity* current = map.GetCurrentEntity();
    if (current && current->isModifiable()) startSizing(at);
}

bool CXYView::startFaceDrag(MapPoint at)
{
    const Vec3 pickPoint{static_cast<float>(at.x), static_cast<float>(at.y), kFacePickHeight};
    if (!faceDrag_.start(editor_.map(), [&](const CQBrush& b) { return b.FacesFacing(pickPoint); })) return false;
    dragMode_ = DragMode::DragFaces;
    editor_.updateViews(ViewFlags::Editing);
    return true;
}

bool CXYView::pressedOnSelection(MapPoint at)
{
    CQEntity* current = editor_.map().GetCurrentEntity();
    if (!current) return false;
    const CQBrush* nearest = nullptr;
    float best = 99999;
    for (const CQBrush& brush : current->brushes()) {
        const RayHit hit = brush.hitByRay(rayTop(at), rayBottom(at), editor_.host());
        if (hit.distance >= 0 && hit.distance <= best) {
            best = hit.distance;
            nearest = &brush;
        }
    }
    if (!nearest || !nearest->IsSelected()) return false;
    editor_.host().debugOutput("dragging selection\n");
    dragMode_ = DragMode::DragSelection;
    return true;
}

void CXYView::startSizing(MapPoint at)
{
    editor_.host().debugOutput("sizing new brush\n");
    const MapPoint anchor = snapped(at);
    CQMap& map = editor_.map();
    sizeAnchor_ = {static_cast<float>(anchor.x), static_cast<float>(anchor.y), map.GetMinZ()};
    sizeCorner_ = {sizeAnchor_.x, sizeAnchor_.y, map.GetMaxZ()};
    newBrush_.Clear();
    newBrush_.MakeBox(sizeAnchor_, sizeCorner_, map.currentTexture(), editor_.host());
    newBrush_.SetSelected(true);
    newBrushActive_ = true;
    dragMode_ = DragMode::SizeNewBrush;
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
    editor_.panel().setPos(at.x, at.y);
    editor_.host().controlPanelChanged();
    if (!buttonDown_) return;

    const MapPoint start = snapped(clientToMap(dragStart_.x, dragStart_.y));
    const MapPoint now = snapped(at);
    const MapPoint delta{now.x - start.x, now.y - start.y};
    const Vec3 step{static_cast<float>(delta.x - previousDelta_.x), static_cast<float>(delta.y - previousDelta_.y), 0};
    previousDelta_ = delta;
    if (step == kOrigin) return;

    switch (dragMode_) {
    case DragMode::DragFaces:
        if (faceDrag_.moveBy(editor_, step)) editor_.updateViews(ViewFlags::Editing);
        break;
    case DragMode::DragSelection:
        editor_.map().MoveSelection(step);
        editor_.refreshSelectionInCamera();
        editor_.updateViews(ViewFlags::Editing);
        break;
    case DragMode::SizeNewBrush: {
        sizeCorner_ += step;
        Vec3 mins;
        Vec3 maxs;
        for (int axis = 0; axis < 3; ++axis) {
            mins[axis] = std::min(sizeAnchor_[axis], sizeCorner_[axis]);
            maxs[axis] = std::max(sizeAnchor_[axis], sizeCorner_[axis]);
        }
        newBrush_.MakeBox(mins, maxs, editor_.map().currentTexture(), editor_.host());
        editor_.updateViews(ViewFlags::XY);
        break;
    }
    case DragMode::Idle:
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
    CQMap& map = editor_.map();
    switch (dragMode_) {
    case DragMode::DragFaces:
        if (faceDrag_.finish(editor_)) {
            editor_.updateViews(ViewFlags::Editing);
        } else if (const CQBrush* dragged = map.onlySelectedBrush().brush();
                   dragged && outsideExtents(dragged->mins(), dragged->maxs())) {
            const CQMap::Bounds bounds = map.GetMapBounds(true);
            growExtents(bounds.mins, bounds.maxs);
        }
        break;
    case DragMode::DragSelection:
        if (const CQMap::BrushRef first = map.firstSelectedBrush(); first.entity) {
            if (outsideExtents(first.brush()->mins(), first.brush()->maxs())) {
                const CQMap::Bounds bounds = map.GetMapBounds(true);
                growExtents(bounds.mins, bounds.maxs);
            }
        }
        break;
    case DragMode::SizeNewBrush: {
        // Tab during the drag can make a point entity current; its box is all it may hold.
        const CQEntity* current = map.GetCurrentEntity();
        if (newBrush_.IsValid() && (!current || current->isModifiable())) {
            map.AddBrush(newBrush_);
            if (outsideExtents(newBrush_.mins(), newBrush_.maxs())) growExtents(newBrush_.mins(), newBrush_.maxs());
        }
        newBrush_.Clear();
        newBrushActive_ = false;
        editor_.refreshSelectionInCamera();
        editor_.updateViews(ViewFlags::Editing);
        break;
    }
    case DragMode::Idle:
        break;
    }
}

void CXYView::doubleClick(const MouseInput& in)
{
    const MapPoint at = clientToMap(in.x, in.y);
    if (in.ctrl) {
        editor_.camera().moveTo(static_cast<float>(at.x), static_cast<float>(at.y));
        editor_.updateViews(ViewFlags::CameraXY);
    } else {
        editor_.setZViewPosition(at);
        editor_.updateViews(ViewFlags::XYZ);
    }
}

bool CXYView::keyDown(ViewKey key)
{
    const float step = snapToGrid_ ? 16.0f : 1.0f;
    Vec3 move;
    switch (key) {
    case ViewKey::Left:
        move = {-step, 0, 0};
        break;
    case ViewKey::Right:
        move = {step, 0, 0};
        break;
    case ViewKey::Up:
        move = {0, step, 0};
        break;
    case ViewKey::Down:
        move = {0, -step, 0};
        break;
    default:
        if (!HandleCommonKey(editor_, key)) return false;
        editor_.updateViews(ViewFlags::Editing);
        return true;
    }
    editor_.map().MoveSelection(move);
    editor_.refreshSelectionInCamera();
    editor_.updateViews(ViewFlags::Editing);
    return true;
}

void CXYView::contextMenuAt(int x, int y)
{
    dragStart_ = {x, y};
}

void CXYView::connectEntitiesHere()
{
    const MapPoint at = clientToMap(dragStart_.x, dragStart_.y);
    ConnectEntities(editor_, rayTop(at), rayBottom(at));
}

void CXYView::moveCameraHere()
{
    const MapPoint at = clientToMap(dragStart_.x, dragStart_.y);
    editor_.camera().moveTo(static_cast<float>(at.x), static_cast<float>(at.y));
    editor_.updateViews(ViewFlags::CameraXY);
}

} // namespace vorn
