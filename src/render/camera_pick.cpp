#include "render/camera_pick.h"

#include "document/map_document.h"
#include "render/camera_projection.h"

namespace vorn {

std::optional<ScenePick> PickSceneBrush(const CQMap& map, const SceneRay& ray, DebugOutput& log)
{
    const Vec3 start = SceneToMap(ray.start);
    const Vec3 end = SceneToMap(ray.start + ray.direction * CameraProjection::kFar);
    std::optional<ScenePick> nearest;
    float best = 0;
    for (int e = 0; e < map.EntityCount(); ++e) {
        const auto brushes = map.entity(e).brushes();
        for (int b = 0; b < static_cast<int>(brushes.size()); ++b) {
            const CQBrush& brush = brushes[static_cast<size_t>(b)];
            if (brush.CountFaces() < 4 || map.isHidden(brush)) continue;
            const RayHit hit = brush.hitByRay(start, end, log);
            if (!hit.hit || hit.distance < 0) continue;
            if (!nearest || hit.distance < best) {
                best = hit.distance;
                nearest = ScenePick{{e, b}, hit.face};
            }
        }
    }
    return nearest;
}

} // namespace vorn
