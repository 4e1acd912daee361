#include "geometry/clip_points.h"

#include "geometry/brush.h"

#include <utility>

namespace vorn {

void ClipPoints::AddClipPoint(Vec3 at, const ClipDepth& depth)
{
    towardViewer_ = {};
    towardViewer_[depth.axis] = depth.towardViewer;
    const auto sameSpot = [&](const Vec3& p) {
        for (int axis = 0; axis < 3; ++axis) {
            if (axis != depth.axis && p[axis] != at[axis]) return false;
        }
        return true;
    };
    for (int i = 0; i < count_; ++i) {
        Vec3& p = pts_[static_cast<size_t>(i)];
        if (sameSpot(p)) {
            p[depth.axis] = p[depth.axis] == depth.low ? depth.high : depth.low;
            return;
        }
    }
    if (count_ == 3) count_ = 0;
    at[depth.axis] = depth.low;
    pts_[static_cast<size_t>(count_++)] = at;
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
    // Two points make the plane along the view's depth: the third lies toward the viewer from the
    // first (above it, seen from the top).
    if (count_ == 2) pts_[2] = pts_[0] + towardViewer_ * 16.0f;
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
