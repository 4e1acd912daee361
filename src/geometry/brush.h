#pragma once

#include "geometry/bounds.h"
#include "geometry/face.h"
#include "geometry/vec3.h"
#include "platform/prefault.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace vorn {

class DebugOutput;

inline constexpr int kMaxFaces = 50;
inline constexpr const char* kFullBrushMessage = "CQBrush::AddFace(): Tried to add a face to a full brush!\n";

// Whether a transform carries the faces' textures with the brush, so that they stay fixed to their
// faces, or leaves the texture numbers as they are (faces with texture axes still turn with the
// brush, so that their axes stay on them).
enum class TextureLock { Off, On };

// Names a brush of the open map for as long as it exists, whatever moves around it; 0 names none.
using BrushId = std::uint32_t;

// Width and height in texels of a named texture; 0 when it is not known.
class TextureSizeSource {
public:
    struct Size {
        int width = 0;
        int height = 0;
    };
    virtual ~TextureSizeSource() = default;
    virtual Size textureSize(std::string_view name) = 0;
};

// Where a segment crosses a brush's faces: -2 when no crossing was found on that side (that end
// lies inside), -1 for both when the segment misses the brush.
struct LineClip {
    int enterFace = -2;
    int exitFace = -2;
    Vec3 enter;
    Vec3 exit;
};

struct RayHit {
    bool hit = false;
    float distance = -1; // along the ray from its start; 0 when the whole segment is inside
    int face = -1;
};

// One convex solid: up to 50 faces, each a plane through three points with a texture. The face
// polygons, the bounds and the validity are derived from the planes by BuildWindings.
class CQBrush {
public:
    CQBrush() = default;
    CQBrush(const CQBrush& other) = default;
    // A copy whose faces and polygons are carved from the arena.
    CQBrush(const CQBrush& other, BulkArena* arena);
    CQBrush& operator=(const CQBrush& other) = default;
    CQBrush(CQBrush&&) noexcept = default;
    CQBrush& operator=(CQBrush&&) noexcept = default;

    // Appends a copy of the face; refused (with a debug report) on a full brush.
    bool AddFace(const CQFace& face, DebugOutput& log);
    // Moves the faces (at most 50) in place of the brush's own, keeping no spare slots, in memory
    // from the arena when one is given; the brush is to be built next.
    void TakeFaces(std::span<CQFace> faces, BulkArena* arena = nullptr);
    void Clear();
    // Rebuilds every face polygon from the planes; true when at least one face has a polygon. The
    // polygons are carved from the arena when one is given.
    bool BuildWindings(DebugOutput& log, BulkArena* arena = nullptr);
    void FreeWindings();

    bool IsValid() const { return !invalid_; }
    void setInvalid() { invalid_ = true; }

    // Given by the map the brush belongs to; copies keep it.
    BrushId id() const { return id_; }
    void setId(BrushId id) { id_ = id; }

    int numfaces() const { return static_cast<int>(faces_.size()); }
    const CQFace& face(int i) const { return faces_[static_cast<size_t>(i)]; }
    CQFace& face(int i) { return faces_[static_cast<size_t>(i)]; }
    std::span<const CQFace> faces() const { return faces_; }
    // Faces that have a polygon.
    int CountFaces() const;

    const Vec3& mins() const { return mins_; }
    const Vec3& maxs() const { return maxs_; }
    Bounds bounds() const { return {mins_, maxs_}; }
    Vec3 Centre() const { return (mins_ + maxs_) * 0.5f; }

    LineClip ClipLineToBrush(Vec3 p1, Vec3 p2) const;
    RayHit hitByRay(Vec3 start, Vec3 end, DebugOutput& log) const;

    // Shifts each face's texture so that it starts on the brush's top or right edge.
    void AlignTextures(TextureSizeSource& sizes);

    // Becomes the axis-aligned box; a box with no volume leaves the brush without faces and invalid.
    void MakeBox(Vec3 mins, Vec3 maxs, std::string_view texture, DebugOutput& log);
    void Move(Vec3 offset, TextureLock lock);
    // The turns and the scaling are true when every texture stayed as the lock asks: off, or kept
    // within 0.01 texel (a face of the standard format may not be able to express it).
    bool RotateX(float degrees, TextureLock lock, DebugOutput& log);
    bool RotateY(float degrees, TextureLock lock, DebugOutput& log);
    bool RotateZ(float degrees, TextureLock lock, DebugOutput& log);
    bool ScaleBy(float sx, float sy, float sz, TextureLock lock, DebugOutput& log);
    // Mirrors the brush in the plane through the origin square to the axis; its faces keep facing
    // out, and texture axes are mirrored with it (standard faces too with the lock on).
    bool Mirror(int axis, TextureLock lock, DebugOutput& log);
    void SetTexture(std::string_view name);

    // Appends a cutting face carrying the first face's texture, rebuilds and drops the faces left
    // without a polygon. False when the brush was full or is no longer a solid.
    bool addFace(const CQFace& face, DebugOutput& log);
    // Drops faces without a polygon; false (and invalid) when fewer than four remain.
    bool RemoveEmptyFaces();

    // The faces along the axis (their normals square to it) that have `point` strictly in front
    // of them: the sides a drag at that point moves in a view looking along the axis.
    std::vector<int> FacesFacing(Vec3 point, int axis) const;
    // The top faces below height z and the bottom faces above it: what a height drag at z moves.
    std::vector<int> HorizontalFacesFacing(float z) const;

private:
    // Changes every face, then rebuilds the polygons. With the lock on, faces of the standard
    // format are carried through the change as faces with texture axes are.
    template <typename Transform>
    bool transformFaces(Transform transform, TextureLock lock, DebugOutput& log);
    // Turns the points and texture axes of every face about the origin.
    template <typename Turn>
    bool turn(Turn turnVector, TextureLock lock, DebugOutput& log);

    BrushId id_ = 0;
    bool invalid_ = true;
    Vec3 mins_;
    Vec3 maxs_;
    std::vector<CQFace, BulkAllocator<CQFace>> faces_;
};

// The brushes of an entity: as many as a map has, so their memory is backed when allocated.
using BrushList = std::vector<CQBrush, BackedAllocator<CQBrush>>;

// Shifts the face's texture so that it starts on the face's top or right edge, as Align Texture
// does for every face of a brush.
void AlignFaceTexture(CQFace& face, TextureSizeSource::Size size);

} // namespace vorn
