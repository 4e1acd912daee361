#include "geometry/subtraction.h"

#include "platform/debug_output.h"

namespace vorn {

bool BoxesOverlap(const CQBrush& a, const CQBrush& b)
{
    for (int k = 0; k < 3; ++k) {
        if (a.maxs()[k] <= b.mins()[k] || b.maxs()[k] <= a.mins()[k]) return false;
    }
    return true;
}

namespace {

// Where a brush lies against a plane, by its corners and the clipper's on-plane tolerance: corners
// within it count on neither side, so that no cut leaves a sliver thinner than that.
enum class Side { Behind, InFront, Across };

Side sideOf(const CQBrush& brush, const Plane& plane)
{
    bool front = false;
    bool back = false;
    for (const CQFace& face : brush.faces()) {
        if (!face.winding) continue;
        for (const Vec3& p : face.winding->points()) {
            const float d = plane.distanceTo(p);
            front = front || d > kOnEpsilon;
            back = back || d < -kOnEpsilon;
        }
    }
    if (front == back) return Side::Across; // also a brush without polygons
    return front ? Side::InFront : Side::Behind;
}

// Appends the parts of `target` outside `cutter` to `kept`; the part inside is dropped. A target
// that would need more faces than a brush holds is kept whole rather than lose the parts that
// could not be made.
void subtractOne(const CQBrush& cutter, CQBrush&& target, std::vector<CQBrush>& kept, DebugOutput& log)
{
    if (!BoxesOverlap(cutter, target)) {
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

std::vector<CQBrush> SubtractBrushes(std::span<const CQBrush* const> cutters, const CQBrush& target, DebugOutput& log)
{
    std::vector<CQBrush> pieces{target};
    std::vector<CQBrush> kept;
    for (const CQBrush* cutter : cutters) {
        kept.clear();
        for (CQBrush& piece : pieces) subtractOne(*cutter, std::move(piece), kept, log);
        pieces.swap(kept);
    }
    return pieces;
}

} // namespace vorn
