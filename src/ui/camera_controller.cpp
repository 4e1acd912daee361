#include "ui/camera_controller.h"

#include "document/map_document.h"
#include "platform/canvas.h"
#include "platform/host.h"
#include "render/camera_pick.h"
#include "render/scene_packing.h"
#include "ui/preferences.h"
#include "ui/workspace.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vorn {

CameraController::CameraController(Workspace& workspace)
    : workspace_(workspace), on_(workspace.prefs().camOn != 0), mode_(CameraModeFromStored(workspace.prefs().camMode))
{
}

void CameraController::chooseMode(RenderMode mode)
{
    const bool wasOn = on_;
    Preferences& prefs = workspace_.prefs();
    on_ = true;
    prefs.camOn = 1;
    mode_ = mode;
    prefs.camMode = StoredCameraMode(mode);
    if (!wasOn || scene_.style() != StyleFor(mode)) {
        BusyScope busy(workspace_.host());
        rebuildScene();
    }
    workspace_.host().updateViews(ViewFlags::Camera);
}

void CameraController::turnOff()
{
    on_ = false;
    workspace_.prefs().camOn = 0;
    scene_.clear();
    workspace_.host().updateViews(ViewFlags::Camera);
}

void CameraController::refresh()
{
    rebuildScene();
    workspace_.host().updateViews(ViewFlags::Camera);
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
    workspace_.host().updateViews(ViewFlags::Camera);
}

void CameraController::rebuildScene()
{
    if (!on_) {
        scene_.clear();
        return;
    }
    reportOversizedFaces(scene_.rebuild(workspace_.map(), StyleFor(mode_), *sizes_));
}

void CameraController::follow(const MapNotice& notice, Progress* progress)
{
    if (!on_) return;
    reportOversizedFaces(scene_.follow(workspace_.map(), notice, *sizes_, progress));
}

void CameraController::reportOversizedFaces(int brushes)
{
    // Once per build, however many brushes it concerns.
    if (brushes > 0) workspace_.host().messageBox("A Brush face has more than 64 vertices\nthis is not allowed.");
}

void CameraController::setClientSize(int width, int height)
{
    width_ = std::max(1, width);
    height_ = std::max(1, height);
}

CameraProjection CameraController::projection() const
{
    const CameraModel& camera = workspace_.camera();
    return {camera.position(), camera.direction(), CameraModel::kUp, width_, height_};
}

void CameraController::keyDown(CameraKey key)
{
    CameraModel& camera = workspace_.camera();
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
        workspace_.host().updateViews(ViewFlags::Camera);
        return;
    }
    cameraMoved();
}

void CameraController::wheel(int steps)
{
    constexpr float kWheelStep = 64;
    if (steps == 0) return;
    workspace_.camera().walk(kWheelStep * static_cast<float>(steps));
    cameraMoved();
}

// The XY and Z views show the camera too.
void CameraController::cameraMoved()
{
    workspace_.host().updateViews(ViewFlags::Editing);
}

bool CameraController::commonKey(ViewKey key)
{
    return HandleCommonKey(workspace_, key);
}

void CameraController::buttonDown(CameraButton button, const MouseInput& in)
{
    (button == CameraButton::Left ? leftDrag_ : rightDrag_) = false;
    if (buttonDown_) return;
    buttonDown_ = true;
    dragStartX_ = in.x;
    dragStartY_ = in.y;
    if (button == CameraButton::Left) {
        if (pickHandleAt(in.x, in.y, in.shift)) return;
        if (in.shift) {
            pickAt(in.x, in.y, in.ctrl ? PickTarget::Face : PickTarget::Brush);
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
    CameraModel& camera = workspace_.camera();
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

bool CameraController::pickAt(int x, int y, PickTarget target)
{
    if (!on_) return false;
    const auto picked = PickSceneBrush(workspace_.map(), projection().rayThroughPixel(x, y), workspace_.host());
    if (!picked) return false;
    CQMap& map = workspace_.map();
    if (target == PickTarget::Face) {
        map.toggleFace({map.brush(picked->at).id(), picked->face});
    } else {
        map.togglePicked(picked->at);
    }
    return true;
}

bool CameraController::pickHandleAt(int x, int y, bool add)
{
    constexpr float kPickRadius = 6;
    VertexMode& mode = workspace_.vertexMode();
    if (!on_ || !mode.isOn()) return false;
    const CameraProjection view = projection();
    const Vec3 eye = view.rayThroughPixel(x, y).start;
    // The handle nearest the pixel; of those the view shows at one pixel, the one nearest the eye.
    std::optional<HandleRef> nearest;
    std::pair<float, float> best{kPickRadius + 1, 0};
    for (const HandleRef& h : mode.handles(workspace_.map())) {
        const Vec3 point = MapToScene(ToFloat(h.at));
        const auto pixel = view.pixelOf(point);
        if (!pixel) continue;
        const float d = std::round(std::hypot((*pixel)[0] - static_cast<float>(x), (*pixel)[1] - static_cast<float>(y)));
        if (d > kPickRadius) continue;
        if (const std::pair score{d, Length(point - eye)}; score < best) {
            best = score;
            nearest = h;
        }
    }
    if (!nearest) return false;
    mode.select(std::span<const HandleRef>(&*nearest, 1), add);
    workspace_.host().updateViews(ViewFlags::Editing);
    return true;
}

std::vector<SceneVertex> CameraController::handlePoints() const
{
    std::vector<SceneVertex> points;
    for (const HandleMark& mark : workspace_.vertexMode().marks(workspace_.map())) {
        const Vec3 p = MapToScene(ToFloat(mark.at));
        const Rgb c = mark.selected ? Colours::SelectedHandle : Colours::Handle;
        points.push_back(PackCorner({p, p, 0, 0, {0, 1, 0}, false, {c.r, c.g, c.b}, kUntexturedLayer}));
    }
    return points;
}

} // namespace vorn
