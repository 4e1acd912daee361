#include "geometry/brush_shape.h"

#include "geometry/brush.h"

#include <algorithm>

namespace vorn {
int IndexOfPoint(std::vector<DVec3>& points, DVec3 p)
{
    for (size_t i = 0; i < points.size(); ++i) {
        if (Length(points[i] - p) < kSameVertex) return static_cast<int>(i);
    }
    points.push_back(p);
    return static_cast<int>(points.size() - 1);
}

DVec3 BrushShape::edgeMiddle(int edge) const
{
    const auto& [a, b] = edges[static_cast<size_t>(edge)];
    return (vertices[static_cast<size_t>(a)] + vertices[static_cast<size_t>(b)]) * 0.5;
}

DVec3 BrushShape::faceCentre(int face) const
{
    const std::vector<int>& corners = faces[static_cast<size_t>(face)];
    DVec3 sum;
    for (const int c : corners) sum += vertices[static_cast<size_t>(c)];
    return corners.empty() ? sum : sum * (1.0 / static_cast<double>(corners.size()));
}

BrushShape ShapeOf(const CQBrush& brush)
{
    BrushShape shape;
    shape.faces.resize(static_cast<size_t>(brush.numfaces()));
    for (int f = 0; f < brush.numfaces(); ++f) {
        const CQFace& face = brush.face(f);
        if (!face.winding) continue;
        std::vector<int>& corners = shape.faces[static_cast<size_t>(f)];
        for (const Vec3& p : face.winding->points()) {
            const int v = IndexOfPoint(shape.vertices, ToDouble(p));
            // Corners closer than a vertex apart are one corner.
            if (corners.empty() || (corners.back() != v && corners.front() != v)) corners.push_back(v);
        }
        for (size_t k = 0; k < corners.size() && corners.size() > 1; ++k) {
            std::array<int, 2> edge{corners[k], corners[(k + 1) % corners.size()]};
            if (edge[0] > edge[1]) std::swap(edge[0], edge[1]);
            if (std::ranges::find(shape.edges, edge) == shape.edges.end()) shape.edges.push_back(edge);
        }
    }
    return shape;
}

std::vector<ShapeHandle> HandlesOf(const BrushShape& shape)
{
    std::vector<ShapeHandle> handles;
    for (int f = 0; f < static_cast<int>(shape.faces.size()); ++f) {
        if (!shape.faces[static_cast<size_t>(f)].empty()) handles.push_back({HandleKind::Face, f, shape.faceCentre(f)});
    }
    for (int e = 0; e < static_cast<int>(shape.edges.size()); ++e) handles.push_back({HandleKind::Edge, e, shape.edgeMiddle(e)});
    for (int v = 0; v < static_cast<int>(shape.vertices.size()); ++v) {
        handles.push_back({HandleKind::Vertex, v, shape.vertices[static_cast<size_t>(v)]});
    }
    return handles;
}

std::vector<int> CornersOf(const BrushShape& shape, HandleKind kind, int index)
{
    switch (kind) {
    case HandleKind::Vertex:
        return {index};
    case HandleKind::Edge: {
        const auto& [a, b] = shape.edges[static_cast<size_t>(index)];
        return {a, b};
    }
    case HandleKind::Face:
        break;
    }
    return shape.faces[static_cast<size_t>(index)];
}

} // namespace vorn
