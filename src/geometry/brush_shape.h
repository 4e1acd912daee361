#pragma once

#include "geometry/vec3.h"

#include <array>
#include <cstdint>
#include <vector>

namespace vorn {

class CQBrush;

// Corners closer than this are one vertex of a brush.
inline constexpr double kSameVertex = 0.005;

// The index of the point of `points` within kSameVertex of p; p is appended when there is none.
int IndexOfPoint(std::vector<DVec3>& points, DVec3 p);

// A brush as corners, edges and faces: each corner once, each edge once as a pair of corners, and
// for each face of the brush its polygon's corners in order (none for a face without polygon).
struct BrushShape {
    std::vector<DVec3> vertices;
    std::vector<std::array<int, 2>> edges;
    std::vector<std::vector<int>> faces;

    DVec3 edgeMiddle(int edge) const;
    // The mean of the face's corners.
    DVec3 faceCentre(int face) const;
};

BrushShape ShapeOf(const CQBrush& brush);

// What a handle of a brush stands for: a corner, the middle of an edge, the centre of a face.
enum class HandleKind : std::uint8_t { Vertex, Edge, Face };

// One handle of a shape: its kind, which corner, edge or face (by index), and where it is.
struct ShapeHandle {
    HandleKind kind;
    int index;
    DVec3 at;
};

// Every handle of the shape: the faces', then the edges', then the corners'.
std::vector<ShapeHandle> HandlesOf(const BrushShape& shape);

// The corners a handle moves: the corner itself, the edge's two ends, or the face's corners.
std::vector<int> CornersOf(const BrushShape& shape, HandleKind kind, int index);

} // namespace vorn
