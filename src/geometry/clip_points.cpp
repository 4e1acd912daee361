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

void ApplyClip(ClipPoints& points, CQEntity& entity, const std::string& texture, DebugOutput& log)
{
    const std::optional<CQFace> face = points.MakeClipFace(texture);
    if (!face) return;
    for (CQBrush& brush : entity.brushes()) {
        if (!brush.IsSelected()) continue;
        if (brush.AddFace(*face, log)) {
            brush.FreeWindings();
            brush.BuildWindings(log);
        }
    }
}

namespace {

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
void subtractOne(const CQBrush& cutter, const CQBrush& target, std::vector<CQBrush>& kept, DebugOutput& log)
{
    if (!boxesOverlap(cutter, target)) {
        kept.push_back(target);
        return;
    }
    std::vector<CQBrush> outside;
    CQBrush rest = target;
    for (const CQFace& face : cutter.faces()) {
        if (rest.numfaces() >= kMaxFaces) {
            log.debugOutput("addFace: numfaces == MAX_FACES\n");
            kept.push_back(target);
            return;
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

    std::vector<CQBrush> cutters;
    std::vector<CQBrush> targets;
    for (const CQBrush& brush : entity.brushes()) (brush.IsSelected() ? cutters : targets).push_back(brush);
    while (entity.brushCount() > 0) entity.removeBrush(entity.brushCount() - 1);

    std::vector<CQBrush> keptPieces;
    for (const CQBrush& cutter : cutters) {
        keptPieces.clear();
        for (const CQBrush& target : targets) subtractOne(cutter, target, keptPieces, log);
        targets.swap(keptPieces);
    }

    for (const CQBrush& target : targets) {
        entity.AddBrush(target);
        entity.brushes().back().SetSelected(false);
    }
    for (const CQBrush& cutter : cutters) entity.AddBrush(cutter);
}

} // namespace vorn
