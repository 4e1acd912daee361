#include "ui/z_view.h"

#include "document/selection_edits.h"
#include "geometry/numeric.h"
#include "platform/host.h"
#include "ui/workspace.h"

#include <algorithm>
#include <cmath>

namespace vorn {
void CZView::setClientSize(int width, int height, int scrollBarWidth)
{
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    scrollBarWidth_ = std::max(scrollBarWidth, 0);
}

int CZView::scrollPosition() const
{
    return std::clamp(TruncateToInt(kScrollMiddle - bottomZ_), 0, kScrollRange);
}

void CZView::scrollTo(int position)
{
    bottomZ_ = static_cast<float>(kScrollMiddle - position);
    workspace_.host().updateViews(ViewFlags::Z);
}

void CZView::scrollBy(float units)
{
    bottomZ_ += units;
    workspace_.host().updateViews(ViewFlags::Z);
}

float CZView::heightAt(int row) const
{
    return static_cast<float>(height_ - row) + bottomZ_;
}

int CZView::rowOf(float z) const
{
    return TruncateToInt(static_cast<float>(height_) - z + bottomZ_);
}

float CZView::mouseHeight(int row) const
{
    float z = std::trunc(heightAt(row));
    if (workspace_.snapToGrid()) z = std::trunc(workspace_.snap(z));
    return z;
}

void CZView::leftButtonDown(const MouseInput& in)
{
    if (buttonDown_) return;
    buttonDown_ = true;
    dragStart_ = {in.x, in.y};
    previousDelta_ = 0;
    const float z = heightAt(in.y);
    const MapPoint column = workspace_.zColumn();
    const Vec3 point{static_cast<float>(column.x), static_cast<float>(column.y), z};
    Host& host = workspace_.host();

    if (in.shift) {
        workspace_.map().SelectEntityAt(point, point, host);
        return;
    }
    if (in.ctrl) {
        workspace_.camera().setHeight(z);
        host.updateViews(ViewFlags::CameraZ);
        return;
    }
    const CQMap& map = workspace_.map();
    if (!in.leftOnly || map.countSelectedBrushes() == 0) return;

    if (in.x > width_ - 24 && faceDrag_.start(map, [z](const CQBrush& b) { return b.HorizontalFacesFacing(z); })) {
        host.debugOutput("dragging brush plane\n");
        dragMode_ = DragMode::DragFaces;
        return;
    }
    host.debugOutput("Z dragging selection\n");
    dragMode_ = DragMode::DragSelection;
}

void CZView::rightButtonDown(const MouseInput& in)
{
    if (buttonDown_) return;
    buttonDown_ = true;
    rightDrag_ = true;
    rightDragMoved_ = false;
    dragStart_ = {in.x, in.y};
}

void CZView::mouseMove(const MouseInput& in)
{
    if (!buttonDown_) return;
    if (rightDrag_) {
        if (in.x != dragStart_.x || in.y != dragStart_.y) rightDragMoved_ = true;
        if (in.y != dragStart_.y) {
            bottomZ_ += static_cast<float>(in.y - dragStart_.y);
            workspace_.host().updateViews(ViewFlags::Z);
        }
        dragStart_ = {in.x, in.y};
        return;
    }
    const int delta = TruncateToInt(mouseHeight(in.y) - mouseHeight(dragStart_.y));
    if (delta == previousDelta_) return;
    const float step = static_cast<float>(delta - previousDelta_);
    previousDelta_ = delta;
    Host& host = workspace_.host();
    switch (dragMode_) {
    case DragMode::DragFaces: {
        MapChange& change = drag_.change(workspace_.map(), "Resize Brush");
        if (faceDrag_.moveBy(change, {0, 0, step}, host)) change.publish();
        break;
    }
    case DragMode::DragSelection: {
        MapChange& change = drag_.change(workspace_.map(), "Move");
        MoveSelection(change, {0, 0, step});
        change.publish();
        break;
    }
    case DragMode::Idle:
        break;
    }
}

void CZView::leftButtonUp()
{
    if (!buttonDown_ || rightDrag_) return;
    buttonDown_ = false;
    if (MapChange* change = drag_.live(); change && dragMode_ == DragMode::DragFaces) faceDrag_.finish(*change);
    faceDrag_.end();
    drag_.commit();
    dragMode_ = DragMode::Idle;
}

bool CZView::rightButtonUp()
{
    if (!rightDrag_) return false;
    buttonDown_ = false;
    rightDrag_ = false;
    return !rightDragMoved_;
}

void CZView::contextMenuAt(int x, int y)
{
    dragStart_ = {x, y};
}

float CZView::contextHeight() const
{
    return mouseHeight(dragStart_.y);
}

void CZView::setMaxZHere()
{
    workspace_.map().SetMaxZ(contextHeight(), workspace_.gridSize());
    workspace_.host().updateViews(ViewFlags::Z);
}

void CZView::setMinZHere()
{
    workspace_.map().SetMinZ(contextHeight(), workspace_.gridSize());
    workspace_.host().updateViews(ViewFlags::Z);
}

void CZView::setCameraZHere()
{
    workspace_.camera().setHeight(contextHeight());
    workspace_.host().updateViews(ViewFlags::CameraZ);
}

bool CZView::keyDown(ViewKey key)
{
    switch (key) {
    case ViewKey::PageUp:
        scrollBy(64);
        return true;
    case ViewKey::PageDown:
        scrollBy(-64);
        return true;
    case ViewKey::Up:
        scrollBy(16);
        return true;
    case ViewKey::Down:
        scrollBy(-16);
        return true;
    default:
        return HandleCommonKey(workspace_, key);
    }
}

} // namespace vorn
