#pragma once

namespace vorn {

// How the camera view draws the map.
enum class RenderMode { Wireframe, UnlitFlat, FlatShaded, Gouraud, Textured };

// The value the preference "cammode" keeps for a mode.
int StoredCameraMode(RenderMode mode);
// The mode a stored "cammode" value stands for; an unknown value gives Wireframe.
RenderMode CameraModeFromStored(int stored);

// What decides a face's colour and texture in the scene.
enum class SceneStyle { Wireframe, Tinted, Textured };
SceneStyle StyleFor(RenderMode mode);

} // namespace vorn
