#include "render/render_mode.h"

namespace vorn {
namespace {

constexpr int kWireframe = 0x40;
constexpr int kUnlitFlat = 0xC0;
constexpr int kFlatShaded = 0x88;
constexpr int kGouraud = 0x89;

} // namespace

std::optional<int> StoredCameraMode(RenderMode mode)
{
    switch (mode) {
    case RenderMode::Wireframe:
        return kWireframe;
    case RenderMode::UnlitFlat:
        return kUnlitFlat;
    case RenderMode::Gouraud:
        return kGouraud;
    case RenderMode::FlatShaded:
    case RenderMode::Textured:
        return std::nullopt;
    }
    return std::nullopt;
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
