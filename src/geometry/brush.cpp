#include "geometry/brush.h"

#include "geometry/texture_axes.h"
#include "geometry/unfilled_array.h"
#include "platform/debug_output.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>

namespace vorn {
namespace {

constexpr float kEmptyBoundsMin = 99999;
// Half the side of the square each face polygon is cut from. Every face within 65,536 units of the
// origin lies inside it: the farthest corner of that cube is 65,536 * sqrt(3) * 2 from any plane
// point nearest the origin that it can have.
constexpr double kBaseHalfSize = 262144;
constexpr float kTextureEdgeStart = -4096;
// How near a plane a corner counts as on it while the polygons are cut in double precision: fine
// enough that the sliver faces of rounded brushes, a fraction of a unit wide, keep their polygons.
constexpr double kBuildOnEpsilon = 0.001;

// A face's plane in double precision, and whether it cuts the brush (no earlier face has it).
struct FacePlane {
    DPlane plane;
    bool takesPart = false;
};

// Corners closer than this to a whole number are taken as that number (toward zero only).
double snapNearInteger(double v)
{
    const double whole = std::trunc(v);
    return std::fabs(v - whole) < 0.01 ? whole + 0.0 : v;
}

// The shift that puts a texture edge at coordinate `edge` for a texture `size` texels long.
int alignedShift(double edge, int size)
{
    const int u = static_cast<int>(RoundToInt(static_cast<float>(edge)));
    if (std::abs(u) <= size) return size - u;
    const int step = u >= 0 ? 16 : -16;
    int shift = 0;
    // Terminates within `size` steps since the reachable remainders are at most 16 apart.
    for (int guard = 0; std::abs((shift + u) % size) > 15 && guard <= size; ++guard) shift += step;
    return shift;
}

// The same alignment for a face with texture axes: its edges are taken along those axes, in texels.
void alignAlongAxes(CQFace& face, TextureSizeSource::Size size)
{
    TextureAxes& axes = *face.axes;
    double a = kTextureEdgeStart;
    double b = kTextureEdgeStart;
    for (const Vec3& p : face.winding->points()) {
        a = std::max(a, Dot(ToDouble(p), axes.axis[0]) / ScaleOf(face, 0));
        b = std::max(b, -Dot(ToDouble(p), axes.axis[1]) / ScaleOf(face, 1));
    }
    if (size.width > 0) axes.offset[0] = alignedShift(a, size.width);
    if (size.height > 0) axes.offset[1] = -alignedShift(b, size.height);
}

} // namespace

CQBrush::CQBrush(const CQBrush& other, BulkArena* arena)
    : id_(other.id_), invalid_(other.invalid_), mins_(other.mins_), maxs_(other.maxs_),
      faces_(BulkAllocator<CQFace>(arena))
{
    faces_.reserve(other.faces_.size());
    for (const CQFace& face : other.faces_) faces_.emplace_back(face, arena);
}

bool CQBrush::AddFace(const CQFace& face, DebugOutput& log)
{
    if (numfaces() >= kMaxFaces) {
        log.debugOutput(kFullBrushMessage);
        return false;
    }
    faces_.push_back(face);
    return true;
}

void CQBrush::TakeFaces(std::span<CQFace> faces, BulkArena* arena)
{
    std::vector<CQFace, BulkAllocator<CQFace>> taken(std::make_move_iterator(faces.begin()),
                                                     std::make_move_iterator(faces.end()), BulkAllocator<CQFace>(arena));
    faces_ = std::move(taken); // the storage, not the arena
    invalid_ = faces_.empty();
}

void CQBrush::Clear()
{
    faces_.clear();
    invalid_ = true;
    mins_ = maxs_ = kOrigin;
}

void CQBrush::FreeWindings()
{
    for (CQFace& face : faces_) face.winding.reset();
}

bool CQBrush::BuildWindings(DebugOutput& log, BulkArena* arena)
{
    mins_ = {kEmptyBoundsMin, kEmptyBoundsMin, kEmptyBoundsMin};
    maxs_ = {-kEmptyBoundsMin, -kEmptyBoundsMin, -kEmptyBoundsMin};
    invalid_ = false;

    // Which faces take part: those with a plane that no earlier face already has. The planes are
    // kept in double precision for the cuts below; single precision is not exact enough far out.
    // A brush read from a file may have more faces than the editor makes: room on the heap then.
    const int count = numfaces();
    UnfilledArray<FacePlane, kMaxFaces> fewPlanes;
    std::vector<FacePlane> manyPlanes(count > kMaxFaces ? static_cast<size_t>(count) : 0);
    const std::span<FacePlane> planes = count > kMaxFaces ? std::span<FacePlane>(manyPlanes) : fewPlanes.first(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        CQFace& face = faces_[static_cast<size_t>(i)];
        FacePlane& own = planes[static_cast<size_t>(i)];
        own.takesPart = false;
        const auto plane = face.planepts.plane();
        if (!plane) continue;
        own.plane = *plane;
        face.plane = ToFloat(*plane);
        own.takesPart = true;
        for (int j = 0; j < i && own.takesPart; ++j) {
            own.takesPart = !(planes[static_cast<size_t>(j)].takesPart && faces_[static_cast<size_t>(j)].plane == face.plane);
        }
    }

    // Each face's polygon: its plane's huge square cut by every other face, kept on the inside. A
    // polygon has at most one corner per other face.
    constexpr int kFewCorners = kMaxWindingPoints + 8;
    const int room = std::max(kMaxWindingPoints, count) + 8;
    UnfilledArray<DVec3, 2 * kFewCorners> fewCorners;
    std::vector<DVec3> manyCorners(room > kFewCorners ? 2 * static_cast<size_t>(room) : 0);
    const std::span<DVec3> buffers = room > kFewCorners ? std::span<DVec3>(manyCorners) : fewCorners.first(2 * kFewCorners);
    UnfilledArray<Vec3, kFewCorners> fewKept;
    std::vector<Vec3> manyKept(room > kFewCorners ? static_cast<size_t>(room) : 0);
    const std::span<Vec3> kept = room > kFewCorners ? std::span<Vec3>(manyKept) : fewKept.first(kFewCorners);
    for (int i = 0; i < count; ++i) {
        CQFace& face = faces_[static_cast<size_t>(i)];
        face.winding.reset();
        if (!planes[static_cast<size_t>(i)].takesPart) continue;

        const std::array<DVec3, 4> base = BasePolyPoints(planes[static_cast<size_t>(i)].plane, kBaseHalfSize, log);
        std::copy(base.begin(), base.end(), buffers.begin());
        DVec3* current = buffers.data();
        DVec3* spare = buffers.data() + room;
        int points = 4;
        bool clippedAway = false;
        for (int j = 0; j < count && !clippedAway; ++j) {
            if (j == i || !planes[static_cast<size_t>(j)].takesPart) continue;
            const DPlane inside = planes[static_cast<size_t>(j)].plane.reversed();
            const ClipOutcome outcome = ClipPolygon<double>({current, static_cast<size_t>(points)}, inside, spare,
                                                            std::min(points + 4, room), kBuildOnEpsilon);
            if (outcome.kind == ClipOutcome::AllBehind) {
                clippedAway = true;
            } else if (outcome.kind == ClipOutcome::Cut) {
                if (outcome.overflowed) log.debugOutput("ClipWinding: points exceeded estimate");
                points = outcome.count;
                std::swap(current, spare);
            }
        }
        if (clippedAway) continue;

        const std::span<Vec3> corners = kept.first(static_cast<size_t>(points));
        for (int k = 0; k < points; ++k) {
            Vec3& p = corners[static_cast<size_t>(k)];
            for (int axis = 0; axis < 3; ++axis) {
                p[axis] = static_cast<float>(snapNearInteger(current[k][axis]));
                mins_[axis] = std::min(mins_[axis], p[axis]);
                maxs_[axis] = std::max(maxs_[axis], p[axis]);
            }
        }
        face.winding = FacePolygon(corners, arena);
        CheckFace(face, log);
    }

    if (mins_.x == kEmptyBoundsMin) {
        invalid_ = true;
        mins_ = maxs_ = kOrigin;
        return false;
    }
    return true;
}

int CQBrush::CountFaces() const
{
    return static_cast<int>(std::count_if(faces_.begin(), faces_.end(), [](const CQFace& f) { return f.winding.has_value(); }));
}

LineClip CQBrush::ClipLineToBrush(Vec3 p1, Vec3 p2) const
{
    LineClip result;
    for (int i = 0; i < numfaces(); ++i) {
        const CQFace& face = faces_[static_cast<size_t>(i)];
        if (!face.winding) continue;
        const float d1 = face.plane.distanceTo(p1);
        const float d2 = face.plane.distanceTo(p2);
        if (d1 >= 0 && d2 >= 0) return {-1, -1, result.enter, result.exit};
        if (d1 > 0 && d2 < 0) {
            result.enterFace = i;
            result.enter = p1 + (d1 / (d1 - d2)) * (p2 - p1);
            p1 = result.enter;
        } else if (d1 < 0 && d2 > 0) {
            result.exitFace = i;
            result.exit = p1 + (d1 / (d1 - d2)) * (p2 - p1);
            p2 = result.exit;
        }
    }
    return result;
}

RayHit CQBrush::hitByRay(Vec3 start, Vec3 end, DebugOutput& log) const
{
    const LineClip clip = ClipLineToBrush(start, end);
    if (clip.enterFace == -2 && clip.exitFace == -2) return {false, 0, 0};
    if (clip.enterFace < 0) return {false, -1.0f, -1};
    const float distance = Dot(clip.enter - start, Normalized(end - start));
    if (distance < 0) log.debugOutput("hitByRay: negative t");
    return {true, distance, clip.enterFace};
}

void AlignFaceTexture(CQFace& face, TextureSizeSource::Size size)
{
    static constexpr Vec3 kAxes[6] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {-1, 0, 0}, {0, -1, 0}, {0, 0, -1}};
    if (!face.winding) return;
    if (face.axes) {
        alignAlongAxes(face, size);
        return;
    }
    int axis = -1;
    float best = 0;
    for (int k = 0; k < 6; ++k) {
        const float d = Dot(kAxes[k], face.plane.normal);
        if (d > best) {
            best = d;
            axis = k;
        }
    }
    if (axis < 0) return;

    // The two coordinates that run along the face: the first goes with the width.
    const int along = axis % 3;
    const int uAxis = along == 0 ? 1 : 0;
    const int vAxis = along == 2 ? 1 : 2;
    float a = kTextureEdgeStart;
    float b = kTextureEdgeStart;
    for (const Vec3& p : face.winding->points()) {
        a = std::max(a, p[uAxis]);
        b = std::max(b, p[vAxis]);
    }
    if (size.width > 0) face.shift[0] = alignedShift(a, size.width);
    if (size.height > 0) face.shift[1] = -alignedShift(b, size.height);
}

void CQBrush::AlignTextures(TextureSizeSource& sizes)
{
    const TextureName* sizedName = nullptr;
    TextureSizeSource::Size size;
    for (CQFace& face : faces_) {
        if (!face.winding) continue;
        if (!sizedName || *sizedName != face.texture) {
            size = sizes.textureSize(face.texture);
            sizedName = &face.texture;
        }
        AlignFaceTexture(face, size);
    }
}

void CQBrush::MakeBox(Vec3 lo, Vec3 hi, std::string_view texture, DebugOutput& log)
{
    faces_.clear();
    if (hi.x - lo.x <= 0 || hi.y - lo.y <= 0 || hi.z - lo.z <= 0) {
        mins_ = lo;
        maxs_ = hi;
        invalid_ = true;
        return;
    }
    const std::string name(texture);
    // Three corners per side, ordered so that (p0 - p1) x (p2 - p1) points out of the box.
    const Vec3 corners[6][3] = {
        {{lo.x, lo.y, hi.z}, {lo.x, hi.y, hi.z}, {hi.x, hi.y, hi.z}}, // top
        {{lo.x, lo.y, lo.z}, {hi.x, lo.y, lo.z}, {hi.x, hi.y, lo.z}}, // bottom
        {{lo.x, lo.y, lo.z}, {lo.x, hi.y, lo.z}, {lo.x, hi.y, hi.z}}, // west
        {{hi.x, lo.y, lo.z}, {hi.x, lo.y, hi.z}, {hi.x, hi.y, hi.z}}, // east
        {{lo.x, lo.y, lo.z}, {lo.x, lo.y, hi.z}, {hi.x, lo.y, hi.z}}, // south
        {{lo.x, hi.y, lo.z}, {hi.x, hi.y, lo.z}, {hi.x, hi.y, hi.z}}, // north
    };
    faces_.reserve(6);
    for (const auto& c : corners) faces_.emplace_back(c[0], c[1], c[2], name);
    BuildWindings(log);
}

template <typename Transform>
bool CQBrush::transformFaces(Transform transform, TextureLock lock, DebugOutput& log)
{
    std::vector<bool> lent(faces_.size(), false);
    for (size_t i = 0; i < faces_.size(); ++i) {
        if (lock == TextureLock::On && !faces_[i].axes) {
            LendAxes(faces_[i]);
            lent[i] = true;
        }
        transform(faces_[i]);
    }
    FreeWindings();
    BuildWindings(log);
    bool kept = true;
    for (size_t i = 0; i < faces_.size(); ++i) {
        if (lent[i] && !ReturnAxes(faces_[i])) kept = false;
    }
    return kept;
}

template <typename Turn>
bool CQBrush::turn(Turn turnVector, TextureLock lock, DebugOutput& log)
{
    return transformFaces(
        [&](CQFace& face) {
            face.planepts.change(turnVector);
            if (face.axes) {
                for (DVec3& axis : face.axes->axis) turnVector(axis);
            }
        },
        lock, log);
}

void CQBrush::Move(Vec3 offset, TextureLock lock)
{
    // A move keeps every polygon's shape: they move along instead of being cut again, and only
    // the planes are found again from their points, as a rebuild finds them.
    const DVec3 by = ToDouble(offset);
    for (CQFace& face : faces_) {
        const PlanePoints::Points moved = face.planepts.change([&](DVec3& p) { p += by; });
        if (lock == TextureLock::On) MoveTextureWith(face, by);
        if (const auto plane = PlanePoints::PlaneThrough(moved)) {
            face.plane = ToFloat(*plane);
        }
        if (!face.winding) continue;
        for (Vec3& p : face.winding->points()) p += offset;
    }
    if (invalid_) return;
    mins_ += offset;
    maxs_ += offset;
}

bool CQBrush::RotateX(float degrees, TextureLock lock, DebugOutput& log)
{
    return turn([degrees](DVec3& v) { RotateAboutX(v, degrees); }, lock, log);
}

bool CQBrush::RotateY(float degrees, TextureLock lock, DebugOutput& log)
{
    return turn([degrees](DVec3& v) { RotateAboutY(v, degrees); }, lock, log);
}

bool CQBrush::RotateZ(float degrees, TextureLock lock, DebugOutput& log)
{
    return turn([degrees](DVec3& v) { RotateAboutZ(v, degrees); }, lock, log);
}

bool CQBrush::ScaleBy(float sx, float sy, float sz, TextureLock lock, DebugOutput& log)
{
    const DVec3 factors{sx, sy, sz};
    return transformFaces(
        [factors, lock](CQFace& face) {
            face.planepts.change([&](DVec3& p) { ScaleAxes(p, factors.x, factors.y, factors.z); });
            if (lock == TextureLock::On) StretchTextureWith(face, factors);
        },
        lock, log);
}

bool CQBrush::Mirror(int axis, TextureLock lock, DebugOutput& log)
{
    DVec3 factors{1, 1, 1};
    factors[axis] = -1;
    return transformFaces(
        [factors](CQFace& face) {
            face.planepts.change([&](DVec3& p) { ScaleAxes(p, factors.x, factors.y, factors.z); });
            StretchTextureWith(face, factors);
            face.reverse(); // the mirror turns each face's points the other way round
        },
        lock, log);
}

void CQBrush::SetTexture(std::string_view name)
{
    for (CQFace& face : faces_) face.texture = name;
}

bool CQBrush::addFace(const CQFace& face, DebugOutput& log)
{
    if (numfaces() >= kMaxFaces) {
        log.debugOutput("addFace: numfaces == MAX_FACES\n");
        return false;
    }
    CQFace cut = face;
    cut.winding.reset();
    if (!faces_.empty()) {
        const CQFace& first = faces_.front();
        // The cut lies elsewhere: it gets the standard projection nearest the first face's texture.
        const StandardTexture texture = StandardFromAxes(first);
        cut.texture = first.texture;
        cut.rotation = texture.rotation;
        cut.shift = texture.shift;
        cut.scale = texture.scale;
        cut.axes.reset();
    }
    faces_.push_back(std::move(cut));
    BuildWindings(log);
    return RemoveEmptyFaces();
}

bool CQBrush::RemoveEmptyFaces()
{
    std::erase_if(faces_, [](const CQFace& f) { return !f.winding; });
    if (numfaces() < 4) {
        invalid_ = true;
        return false;
    }
    return true;
}

std::vector<int> CQBrush::FacesFacing(Vec3 point, int axis) const
{
    std::vector<int> picked;
    for (int i = 0; i < numfaces(); ++i) {
        const CQFace& face = faces_[static_cast<size_t>(i)];
        if (face.winding && std::fabs(face.plane.normal[axis]) <= 0.01f && face.plane.distanceTo(point) > 0) {
            picked.push_back(i);
        }
    }
    return picked;
}

std::vector<int> CQBrush::HorizontalFacesFacing(float z) const
{
    std::vector<int> picked;
    for (int i = 0; i < numfaces(); ++i) {
        const CQFace& face = faces_[static_cast<size_t>(i)];
        if (!face.winding) continue;
        const float nz = face.plane.normal.z;
        const bool top = std::fabs(nz - 1) <= 0.01f && z - face.plane.dist > 0;
        const bool bottom = std::fabs(nz + 1) <= 0.01f && -(z + face.plane.dist) > 0;
        if (top || bottom) picked.push_back(i);
    }
    return picked;
}

} // namespace vorn
