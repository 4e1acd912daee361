#include "geometry/clip_points.h"

#include "geometry/brush.h"

#include <utility>

namespace vorn {

void ClipPoints::AddClipPoint(float x, float y, float minZ, float maxZ)
{
    for (int i = 0; i < count_; ++i) {
        Vec3& p = pts_[static_cast<size_t>(i)];
        if (p.x == x && p.y == y) {
            p.z = p.z == minZ ? maxZ : minZ;
            return;
        }
    }
    if (count_ == 3) count_ = 0;
    pts_[static_cast<size_t>(count_++)] = {x, y, minZ};
}

bool ClipPoints::FlipClipPlane()
{
    if (count_ == 2) {
        std::swap(pts_[0], pts_[1]);
    } else if (count_ == 3) {
        std::swap(pts_[0], pts_[2]);
    } else {
        return false;
    }
    return true;
}

std::optional<CQFace> ClipPoints::MakeClipFace(const std::string& texture)
{
    if (count_ < 2) return std::nullopt;
    // Two points make a vertical plane: the third lies above the first.
    if (count_ == 2) pts_[2] = pts_[0] + Vec3{0, 0, 16};
    if (Cross(pts_[2] - pts_[0], pts_[1] - pts_[0]) == kOrigin) return std::nullopt;
    return CQFace(pts_[0], pts_[1], pts_[2], texture);
}

bool ClipBrush(CQBrush& brush, const CQFace& face, DebugOutput& log)
{
    if (!brush.AddFace(face, log)) return false;
    brush.FreeWindings();
    brush.BuildWindings(log);
    return true;
}

} // namespace vorn
