#include "geometry/clip_points.h"

#include "geometry/brush.h"
#include "map/entity.h"
#include "platform/host.h"

#include <utility>
#include <vector>

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

void ClipPoints::FlipClipPlane(Host& host)
{
    if (count_ == 2) {
        std::swap(pts_[0], pts_[1]);
    } else if (count_ == 3) {
        std::swap(pts_[0], pts_[2]);
    } else {
        host.beep(100, 100);
        host.debugOutput("no clipplane\n");
    }
}

std::optional<CQFace> ClipPoints::MakeClipFace(const std::string& texture)
{
    if (count_ < 2) return std::nullopt;
    // Two points make a vertical plane: the third lies above the first.
    if (count_ == 2) pts_[2] = pts_[0] + Vec3{0, 0, 16};
    if (Cross(pts_[2] - pts_[0], pts_[1] - pts_[0]) == kOrigin) return std::nullopt;
    return CQFace(pts_[0], pts_[1], pts_[2], texture);
}

bool ApplyClip(ClipPoints& points, CQEntity& entity, const std::string& texture, DebugOutput& log)
{
    const std::optional<CQFace> face = points.MakeClipFace(texture);
    if (!face) return false;
    bool cut = false;
    for (CQBrush& brush : entity.brushes()) {
        if (!brush.IsSelected() || !brush.AddFace(*face, log)) continue;
        brush.FreeWindings();
        brush.BuildWindings(log);
        cut = true;
    }
    return cut;
}

namespace {

// Where a brush lies against a plane, by its corners and the clipper's on-plane tolerance.
enum class Side { Behind, InFront, Across };

Side sideOf(const CQBrush& brush, const Plane& plane)
{
    constexpr float kOnPlane = 0.1f;
    bool front = false;
    bool back = false;
    for (const CQFace& face : brush.faces()) {
        if (!face.winding) continue;
        for (const Vec3& p : face.winding->points()) {
            const float d = plane.distanceTo(p);
            front = front || d >= -kOnPlane;
            back = back || d <= kOnPlane;
        }
    }
    if (front == back) return Side::Across; // also a brush without polygons
    return front ? Side::InFront : Side::Behind;
}

bool boxesOverlap(const CQBrush& a, const CQBrush& b)
{
    for (int k = 0; k < 3; ++k) {
        if (a.maxs()[k] <= b.mins()[k] || b.maxs()[k] <= a.mins()[k]) return false;
    }
    return true;
}

// Appends the parts of `target` outside `cutter` to `kept`; the part inside is dropped. A target
// that would need more faces than a brush holds is kept whole rather than lose the parts that
// could not be made.
void subtractOne(const CQBrush& cutter, CQBrush&& target, std::vector<CQBrush>& kept, DebugOutput& log)
{
    if (!boxesOverlap(cutter, target)) {
        kept.push_back(std::move(target));
        return;
    }
    std::vector<CQBrush> outside;
    CQBrush rest = target;
    for (const CQFace& face : cutter.faces()) {
        if (rest.numfaces() >= kMaxFaces) {
            log.debugOutput("addFace: numfaces == MAX_FACES\n");
            kept.push_back(std::move(target));
            return;
        }
        // A face that does not cross the rest leaves it whole on one side; adding it would only
        // rebuild the same polygons.
        const Side side = face.winding ? sideOf(rest, face.plane) : Side::Across;
        if (side == Side::Behind) continue;
        if (side == Side::InFront) {
            outside.push_back(std::move(rest));
            break;
        }
        CQFace reversed = face;
        reversed.reverse();
        CQBrush out = rest;
        if (out.addFace(reversed, log)) outside.push_back(std::move(out));
        // Nothing left inside the cutter's remaining faces: the target is used up.
        if (!rest.addFace(face, log)) break;
    }
    for (CQBrush& piece : outside) kept.push_back(std::move(piece));
}

} // namespace

void SubtractSelection(CQEntity& entity, DebugOutput& log)
{
    if (!entity.isModifiable() || entity.selectedCount() == 0) return;

    // The brushes move out of the entity, which is refilled below.
    std::vector<CQBrush> cutters;
    std::vector<CQBrush> targets;
    targets.reserve(static_cast<size_t>(entity.brushCount()));
    for (CQBrush& brush : entity.brushes()) (brush.IsSelected() ? cutters : targets).push_back(std::move(brush));
    while (entity.brushCount() > 0) entity.removeBrush(entity.brushCount() - 1);

    std::vector<CQBrush> keptPieces;
    for (const CQBrush& cutter : cutters) {
        keptPieces.clear();
        keptPieces.reserve(targets.size());
        for (CQBrush& target : targets) subtractOne(cutter, std::move(target), keptPieces, log);
        targets.swap(keptPieces);
    }

    for (const CQBrush& target : targets) {
        entity.AddBrush(target);
        entity.brushes().back().SetSelected(false);
    }
    for (const CQBrush& cutter : cutters) entity.AddBrush(cutter);
}

} // namespace vorn
