#include "render/entity_model_mesh.h"

#include "map/entity.h"
#include "map/text_reader.h"
#include "models/model_store.h"
#include "render/camera_projection.h"
#include "render/scene_packing.h"

#include <cmath>
#include <numbers>

namespace vorn {

ModelPlacement PlacementOf(const CQEntity& entity)
{
    const std::string_view origin = entity.GetValue(kOriginKey);
    ModelPlacement at{origin.empty() ? entity.GetOrigin() : ParseVector(origin)};
    const auto angle = static_cast<float>(ParseFloat(Unquoted(entity.GetValue("\"angle\""))));
    if (angle != -1 && angle != -2) at.yawDegrees = angle;
    return at;
}

SceneRoom ModelRoom(const EntityModel& model)
{
    const auto triangles = static_cast<std::uint32_t>(model.mesh.triangles.size());
    return {3 * triangles, 3 * triangles, 6 * triangles};
}

void AppendModelMesh(const EntityModel& model, const ModelPlacement& at, std::array<std::uint8_t, 3> colour,
                     std::uint32_t layer, std::uint32_t base, SceneWriter& out)
{
    const float yaw = at.yawDegrees * std::numbers::pi_v<float> / 180.0f;
    const float c = std::cos(yaw);
    const float s = std::sin(yaw);
    const auto turned = [&](Vec3 v) { return Vec3{c * v.x - s * v.y, s * v.x + c * v.y, v.z}; };

    std::uint32_t next = base;
    for (size_t t = 0; t < model.mesh.triangles.size(); ++t) {
        const auto& corners = model.mesh.triangles[t];
        std::array<Vec3, 3> points;
        for (size_t i = 0; i < 3; ++i) points[i] = MapToScene(at.origin + turned(model.mesh.positions[corners[i].vertex]));
        const Vec3 centre = (points[0] + points[1] + points[2]) * (1.0f / 3.0f);
        const Vec3 n = MapToScene(turned(model.normals[t]));
        for (size_t i = 0; i < 3; ++i) out.corner(PackCorner({points[i], centre, corners[i].u, corners[i].v, n, true, colour, layer}));
        out.triangle(next, next + 1, next + 2);
        out.line(next, next + 1);
        out.line(next + 1, next + 2);
        out.line(next + 2, next);
        next += 3;
    }
}

} // namespace vorn
