#include "render/render_mode.h"

namespace vorn {
namespace {

constexpr int kWireframe = 0x40;
constexpr int kUnlitFlat = 0xC0;
constexpr int kFlatShaded = 0x88;
constexpr int kGouraud = 0x89;
// Not a quality of the shading devices, which know no textured mode: a value outside theirs.
constexpr int kTextured = 0x100;

} // namespace

int StoredCameraMode(RenderMode mode)
{
    switch (mode) {
    case RenderMode::Wireframe:
        return kWireframe;
    case RenderMode::UnlitFlat:
        return kUnlitFlat;
    case RenderMode::FlatShaded:
        return kFlatShaded;
    case RenderMode::Gouraud:
        return kGouraud;
    case RenderMode::Textured:
        return kTextured;
    }
    return kWireframe;
}

RenderMode CameraModeFromStored(int stored)
{
    switch (stored) {
    case kUnlitFlat:
        return RenderMode::UnlitFlat;
    case kFlatShaded:
        return RenderMode::FlatShaded;
    case kGouraud:
        return RenderMode::Gouraud;
    case kTextured:
        return RenderMode::Textured;
    default:
        return RenderMode::Wireframe;
    }
}

SceneStyle StyleFor(RenderMode mode)
{
    switch (mode) {
    case RenderMode::Wireframe:
        return SceneStyle::Wireframe;
    case RenderMode::Textured:
        return SceneStyle::Textured;
    default:
        return SceneStyle::Tinted;
    }
}

} // namespace vorn
