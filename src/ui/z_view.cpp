#include "ui/z_view.h"

#include "editor/editor.h"
#include "geometry/numeric.h"
#include "platform/host.h"

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
    editor_.updateViews(ViewFlags::Z);
}

void CZView::scrollBy(float units)
{
    bottomZ_ += units;
    editor_.updateViews(ViewFlags::Z);
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
    if (editor_.xyView().snapToGrid()) z = std::trunc(editor_.xyView().snap(z));
    return z;
}

void CZView::leftButtonDown(const MouseInput& in)
{
    if (buttonDown_) return;
    buttonDown_ = true;
    dragStart_ = {in.x, in.y};
    previousDelta_ = 0;
    const float z = heightAt(in.y);
    const MapPoint column = editor_.zViewPosition();
    const Vec3 point{static_cast<float>(column.x), static_cast<float>(column.y), z};

    if (in.shift) {
        editor_.map().SelectEntityAt(point, point);
        editor_.updateViews(ViewFlags::All);
        return;
    }
    if (in.ctrl) {
        editor_.camera().setHeight(z);
        editor_.updateViews(ViewFlags::CameraZ);
        return;
    }
    CQMap& map = editor_.map();
    if (!in.leftOnly || map.countSelectedBrushes() == 0) return;

    if (in.x > width_ - 24 && faceDrag_.start(map, [z](const CQBrush& b) { return b.HorizontalFacesFacing(z); })) {
        editor_.host().debugOutput("dragging brush plane\n");
        dragMode_ = DragMode::DragFaces;
        return;
    }
    editor_.host().debugOutput("Z dragging selection\n");
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
            editor_.updateViews(ViewFlags::Z);
        }
        dragStart_ = {in.x, in.y};
        return;
    }
    const int delta = TruncateToInt(mouseHeight(in.y) - mouseHeight(dragStart_.y));
    if (delta == previousDelta_) return;
    const float step = static_cast<float>(delta - previousDelta_);
    previousDelta_ = delta;
    switch (dragMode_) {
    case DragMode::DragFaces:
        if (faceDrag_.moveBy(editor_, {0, 0, step})) editor_.updateViews(ViewFlags::CameraZ);
        break;
    case DragMode::DragSelection:
        editor_.map().MoveSelection({0, 0, step});
        editor_.refreshSelectionInCamera();
        editor_.updateViews(ViewFlags::CameraZ);
        break;
    case DragMode::Idle:
        break;
    }
}

void CZView::leftButtonUp()
{
    if (!buttonDown_ || rightDrag_) return;
    buttonDown_ = false;
    if (dragMode_ == DragMode::DragFaces && faceDrag_.finish(editor_)) editor_.updateViews(ViewFlags::Editing);
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
    editor_.map().SetMaxZ(contextHeight());
    editor_.updateViews(ViewFlags::Z);
}

void CZView::setMinZHere()
{
    editor_.map().SetMinZ(contextHeight());
    editor_.updateViews(ViewFlags::Z);
}

void CZView::setCameraZHere()
{
    editor_.camera().setHeight(contextHeight());
    editor_.updateViews(ViewFlags::CameraZ);
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
        if (!HandleCommonKey(editor_, key)) return false;
        editor_.updateViews(ViewFlags::Editing);
        return true;
    }
}

} // namespace vorn
