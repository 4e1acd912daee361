#pragma once

#include "render/camera_projection.h"
#include "render/camera_scene.h"
#include "render/render_mode.h"
#include "render/texture_image_source.h"
#include "ui/view_input.h"

#include <vector>

namespace vorn {

class Workspace;
struct BrushLocation;
struct MapNotice;

// The keys the camera view moves the camera with.
enum class CameraKey { PageUp, PageDown, Left, Right, Up, Down, X, Z, Home };
enum class CameraButton { Left, Right };
// What a Shift+click picks: the brush (Shift) or the face (Ctrl+Shift) under the cursor.
enum class PickTarget { Brush, Face };

// The camera view's logic: whether it is on and how it draws, the scene it keeps of the map,
// and the keys, drags and Shift+click picks that fly the camera and select brushes or faces.
class CameraController {
public:
    static constexpr double kTurnStep = 0.17453292522222222;         // 10 degrees
    static constexpr double kTurnPerPixel = 0.017453292522222223 / 3; // a third of a degree
    static constexpr float kStep = 16;
    static constexpr float kDragStep = 3;

    explicit CameraController(Workspace& workspace);

    bool isOn() const { return on_; }
    RenderMode mode() const { return mode_; }
    // A render mode of the Camera menu; switches the camera on, filling the scene, when it is off.
    void chooseMode(RenderMode mode);
    void turnOff();
    // Builds the scene again from the map (Refresh).
    void refresh();
    // The view cannot draw: the camera goes off for this run, the stored preference stays.
    void turnOffAfterFailure();

    // Where texture sizes and pictures come from; both must outlive the controller.
    void setTextureSources(TextureSizeSource& sizes, TextureImageSource& images);
    // The textures behind the sources changed (another archive): sizes and pictures are taken
    // again.
    void texturesChanged();
    TextureImageSource& textureImages() { return *images_; }

    const CameraScene& scene() const { return scene_; }
    CameraScene& scene() { return scene_; }
    // The whole scene from the map (empty while the camera is off).
    void rebuildScene();
    // The scene follows what changed in the map; a rebuild tells `progress` how far it is.
    void follow(const MapNotice& notice, Progress* progress = nullptr);

    void setClientSize(int width, int height);
    CameraProjection projection() const;

    void keyDown(CameraKey key);
    // The mouse wheel: forward (positive steps) or back by 64 units a step.
    void wheel(int steps);
    // The editing keys every view shares; true when handled.
    bool commonKey(ViewKey key);
    void buttonDown(CameraButton button, const MouseInput& in);
    void buttonUp(CameraButton button);
    // True while a drag is on: the cursor then goes back to the press point.
    bool mouseMove(int x, int y);
    int dragStartX() const { return dragStartX_; }
    int dragStartY() const { return dragStartY_; }
    // Toggles the selection of the nearest brush, or its face, under the pixel; false on empty
    // space.
    bool pickAt(int x, int y, PickTarget target = PickTarget::Brush);
    // In vertex mode, selects the handle nearest the pixel within a few pixels (besides those
    // selected when `add`); false when there is none.
    bool pickHandleAt(int x, int y, bool add);
    // The vertex mode's handles as points of the scene, the selected ones in their own colour.
    std::vector<SceneVertex> handlePoints() const;

private:
    void reportOversizedFaces(int brushes);
    void cameraMoved();

    Workspace& workspace_;
    bool on_ = false;
    RenderMode mode_ = RenderMode::Wireframe;
    CameraScene scene_;
    NoTextureSizes noSizes_;
    NoTextureImages noImages_;
    TextureSizeSource* sizes_ = &noSizes_;
    TextureImageSource* images_ = &noImages_;
    int width_ = 1;
    int height_ = 1;
    bool leftDrag_ = false;
    bool rightDrag_ = false;
    bool buttonDown_ = false;
    int dragStartX_ = 0;
    int dragStartY_ = 0;
};

} // namespace vorn
