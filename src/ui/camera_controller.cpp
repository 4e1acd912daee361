#include "ui/camera_controller.h"

#include "editor/editor.h"
#include "platform/host.h"
#include "render/camera_pick.h"

#include <algorithm>

namespace vorn {

CameraController::CameraController(Editor& editor)
    : editor_(editor), on_(editor.prefs().camOn != 0), mode_(CameraModeFromStored(editor.prefs().camMode))
{
}

void CameraController::chooseMode(RenderMode mode)
{
    const bool wasOn = on_;
    Preferences& prefs = editor_.prefs();
    on_ = true;
    prefs.camOn = 1;
    mode_ = mode;
    if (const auto stored = StoredCameraMode(mode)) prefs.camMode = *stored;
    if (!wasOn || scene_.style() != StyleFor(mode)) {
        BusyScope busy(editor_.host());
        rebuildScene();
    }
    editor_.updateViews(ViewFlags::Camera);
}

void CameraController::turnOff()
{
    on_ = false;
    editor_.prefs().camOn = 0;
    scene_.clear();
    editor_.updateViews(ViewFlags::Camera);
}

void CameraController::refresh()
{
    rebuildScene();
    editor_.updateViews(ViewFlags::Camera);
}

void CameraController::turnOffAfterFailure()
{
    on_ = false;
    scene_.clear();
}

void CameraController::setTextureSources(TextureSizeSource& sizes, TextureImageSource& images)
{
    sizes_ = &sizes;
    images_ = &images;
    texturesChanged();
}

void CameraController::texturesChanged()
{
    scene_.forgetTextures();
    rebuildScene();
    editor_.updateViews(ViewFlags::Camera);
}

void CameraController::rebuildScene()
{
    if (!on_) {
        scene_.clear();
        return;
    }
    reportOversizedFaces(scene_.rebuild(editor_.map(), StyleFor(mode_), *sizes_));
}

void CameraController::updateBrush(BrushKey key)
{
    reportOversizedFaces(scene_.updateBrush(editor_.map(), key, *sizes_));
}

void CameraController::reportOversizedFaces(int brushes)
{
    // Once per build, however many brushes it concerns.
    if (brushes > 0) editor_.host().messageBox("A Brush face has more than 64 vertices\nthis is not allowed.");
}

void CameraController::refreshSelection()
{
    if (!on_) return;
    const CQMap& map = editor_.map();
    if (!scene_.matchesShapeOf(map)) {
        rebuildScene();
        return;
    }
    for (int e = 0; e < map.EntityCount(); ++e) {
        const auto brushes = map.entity(e).brushes();
        for (int b = 0; b < static_cast<int>(brushes.size()); ++b) {
            const bool selected = brushes[static_cast<size_t>(b)].IsSelected();
            if (selected || scene_.range({e, b}).selected != selected) updateBrush({e, b});
        }
    }
}

void CameraController::followMap()
{
    if (!on_) return;
    const CQMap& map = editor_.map();
    if (!scene_.matchesShapeOf(map)) {
        rebuildScene();
        return;
    }
    for (int e = 0; e < map.EntityCount(); ++e) {
        const auto brushes = map.entity(e).brushes();
        for (int b = 0; b < static_cast<int>(brushes.size()); ++b) {
            if (scene_.range({e, b}).selected != brushes[static_cast<size_t>(b)].IsSelected()) updateBrush({e, b});
        }
    }
}

void CameraController::setClientSize(int width, int height)
{
    width_ = std::max(1, width);
    height_ = std::max(1, height);
}

CameraProjection CameraController::projection() const
{
    const CameraModel& camera = editor_.camera();
    return {camera.position(), camera.direction(), CameraModel::kUp, width_, height_};
}

void CameraController::keyDown(CameraKey key)
{
    CameraModel& camera = editor_.camera();
    switch (key) {
    case CameraKey::PageUp:
        camera.raise(kStep);
        break;
    case CameraKey::PageDown:
        camera.raise(-kStep);
        break;
    case CameraKey::Left:
        camera.turn(kTurnStep);
        break;
    case CameraKey::Right:
        camera.turn(-kTurnStep);
        break;
    case CameraKey::Up:
        camera.walk(kStep);
        break;
    case CameraKey::Down:
        camera.walk(-kStep);
        break;
    case CameraKey::X:
        camera.strafe(kStep);
        break;
    case CameraKey::Z:
        camera.strafe(-kStep);
        break;
    case CameraKey::Home:
        editor_.updateViews(ViewFlags::Camera);
        return;
    }
    cameraMoved();
}

// The XY and Z views show the camera too.
void CameraController::cameraMoved()
{
    editor_.updateViews(ViewFlags::Editing);
}

bool CameraController::commonKey(ViewKey key)
{
    if (!HandleCommonKey(editor_, key)) return false;
    editor_.updateViews(ViewFlags::Editing);
    return true;
}

void CameraController::buttonDown(CameraButton button, const MouseInput& in)
{
    (button == CameraButton::Left ? leftDrag_ : rightDrag_) = false;
    if (buttonDown_) return;
    buttonDown_ = true;
    dragStartX_ = in.x;
    dragStartY_ = in.y;
    if (button == CameraButton::Left) {
        if (in.shift) {
            pickAt(in.x, in.y);
        } else {
            leftDrag_ = true;
        }
    } else if (!in.shift) {
        rightDrag_ = true;
    }
}

void CameraController::buttonUp(CameraButton button)
{
    (button == CameraButton::Left ? leftDrag_ : rightDrag_) = false;
    buttonDown_ = false;
}

bool CameraController::mouseMove(int x, int y)
{
    if (!buttonDown_ || (!leftDrag_ && !rightDrag_)) return false;
    const int dx = x - dragStartX_;
    const int dy = y - dragStartY_;
    CameraModel& camera = editor_.camera();
    bool changed = false;
    if (leftDrag_) {
        if (dx != 0) camera.turn(-dx * kTurnPerPixel);
        if (dy != 0) camera.walk(-kDragStep * static_cast<float>(dy));
        changed = dx != 0 || dy != 0;
    } else {
        if (dx != 0) camera.strafe(kDragStep * static_cast<float>(dx));
        if (dy != 0) camera.raise(-kDragStep * static_cast<float>(dy));
        changed = dx != 0 || dy != 0;
    }
    if (changed) cameraMoved();
    return true;
}

bool CameraController::pickAt(int x, int y)
{
    if (!on_) return false;
    const auto key = PickSceneBrush(editor_.map(), projection().rayThroughPixel(x, y), editor_.host());
    if (!key) return false;
    togglePickedBrush(*key);
    followMap();
    editor_.updateViews(ViewFlags::All);
    return true;
}

void CameraController::togglePickedBrush(BrushKey key)
{
    CQMap& map = editor_.map();
    CQEntity& entity = map.entity(key.entity);
    CQBrush& brush = entity.brushes()[static_cast<size_t>(key.brush)];
    brush.SetSelected(!brush.IsSelected());
    if (!brush.IsSelected()) return;
    map.SetCurrentTexture(brush.numfaces() > 0 ? brush.face(0).texture : "*NONE*");
    if (!entity.isCurrent()) map.SetCurrentEntityByIndex(key.entity);
}

} // namespace vorn
