#include "ui/camera_start.h"

#include "document/map_document.h"
#include "ui/camera_model.h"

#include <algorithm>
#include <cmath>

namespace vorn {
namespace {

constexpr float kEyeHeight = 48;
constexpr const char* kPlayerStart = "info_player_start";

} // namespace

void PlaceCameraAtStart(const CQMap& map, CameraModel& camera)
{
    for (int i = 0; i < map.EntityCount(); ++i) {
        const CQEntity& entity = map.entity(i);
        if (entity.className() != kPlayerStart) continue;
        const std::string_view stored = entity.GetValue(kOriginKey);
        const Vec3 origin = stored.empty() ? entity.GetOrigin() : ParseVector(stored);
        camera.placeAt(origin + Vec3{0, 0, kEyeHeight});
        const double heading = entity.Heading().value_or(0) * kRadiansPerDegree;
        camera.lookAtPoint(origin + Vec3{static_cast<float>(std::cos(heading)), static_cast<float>(std::sin(heading)), kEyeHeight});
        return;
    }
    std::optional<Bounds> brushes;
    for (int i = 0; i < map.EntityCount(); ++i) {
        const CQEntity& entity = map.entity(i);
        if (!entity.isModifiable()) continue;
        if (const auto box = entity.bounds()) Include(brushes, *box);
    }
    if (!brushes) return;
    const Vec3 middle = (brushes->mins + brushes->maxs) * 0.5f;
    const Vec3 size = brushes->maxs - brushes->mins;
    const float away = std::max({size.x, size.y, size.z}) * 0.5f + 64;
    camera.placeAt(middle + Vec3{0, -away, away});
    camera.lookAtPoint(middle);
}

} // namespace vorn
