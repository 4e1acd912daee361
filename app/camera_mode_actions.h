#pragma once

#include "render/render_mode.h"

#include <array>

namespace vorn {

// The Camera menu's render modes by the keys of their actions; "camera.off" turns it off.
struct CameraModeAction {
    const char* key;
    RenderMode mode;
};
inline constexpr std::array<CameraModeAction, 5> kCameraModeActions{{
    {"camera.wireframe", RenderMode::Wireframe},
    {"camera.unlitFlat", RenderMode::UnlitFlat},
    {"camera.flatShaded", RenderMode::FlatShaded},
    {"camera.gouraud", RenderMode::Gouraud},
    {"camera.textured", RenderMode::Textured},
}};

} // namespace vorn
