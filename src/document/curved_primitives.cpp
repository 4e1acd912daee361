#include "document/curved_primitives.h"

#include "geometry/brush.h"
#include "platform/debug_output.h"

#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace vorn {
namespace {

constexpr double kPi = 3.141592654;
constexpr double kFullTurn = 6.283185308;

// A box given by its two corners, with the helpers the round shapes are laid out by.
struct Box {
    Vec3 lo;
    Vec3 hi;

    Vec3 centre() const { return (lo + hi) * 0.5f; }
    // A corner: each flag picks the high end of that axis.
    Vec3 corner(bool x, bool y, bool z) const { return {x ? hi.x : lo.x, y ? hi.y : lo.y, z ? hi.z : lo.z}; }

    // The box's side across `axis` at its low or high end, as three points whose plane faces out.
    std::array<Vec3, 3> side(int axis, bool high) const
    {
        switch (axis * 2 + (high ? 1 : 0)) {
        case 0: return {corner(0, 1, 0), corner(0, 1, 1), corner(0, 0, 1)};
        case 1: return {corner(1, 0, 0), corner(1, 0, 1), corner(1, 1, 1)};
        case 2: return {corner(0, 0, 0), corner(0, 0, 1), corner(1, 0, 0)};
        case 3: return {corner(0, 1, 0), corner(1, 1, 0), corner(0, 1, 1)};
        case 4: return {corner(0, 0, 0), corner(1, 0, 0), corner(0, 1, 0)};
        default: return {corner(0, 0, 1), corner(0, 1, 1), corner(1, 0, 1)};
        }
    }
};

// The axis of a round shape and the two cross-section coordinates: u goes with the cosine,
// v with the sine. Indexed by the cylinder's direction (and the spike's, modulo 3).
struct Orientation {
    int axis;
    int u;
    int v;
};
constexpr Orientation kOrientations[3] = {{2, 0, 1}, {1, 0, 2}, {0, 2, 1}};

// The corners of the `sides`-gon around the box's axis in the plane axis = level. Its flat sides
// touch the box in their middles, the first facing +u.
std::vector<Vec3> crossSection(const Box& box, Orientation o, int sides, float level)
{
    const auto delta = static_cast<float>(kFullTurn / sides);
    const Vec3 c = box.centre();
    const float ru = (box.hi[o.u] - c[o.u]) / std::cos(delta / 2);
    const float rv = (box.hi[o.v] - c[o.v]) / std::cos(delta / 2);
    std::vector<Vec3> corners(static_cast<size_t>(sides));
    float theta = -delta / 2;
    for (Vec3& p : corners) {
        p[o.axis] = level;
        p[o.u] = c[o.u] + ru * std::cos(theta);
        p[o.v] = c[o.v] + rv * std::sin(theta);
        theta += delta;
    }
    return corners;
}

// One side face per corner k of a prism or pyramid: three points picked by `pattern` from
// low[k], low[k+1], high[k], high[k+1] (numbered 0 to 3), the last corner followed by the first.
void appendSideFaces(std::vector<CQFace>& faces, const std::vector<Vec3>& low, const std::vector<Vec3>& high,
                     std::array<int, 3> pattern, const std::string& texture)
{
    const size_t n = low.size();
    for (size_t k = 0; k < n; ++k) {
        const Vec3 choice[4] = {low[k], low[(k + 1) % n], high[k], high[(k + 1) % n]};
        faces.emplace_back(choice[pattern[0]], choice[pattern[1]], choice[pattern[2]], texture);
    }
}

void appendFace(std::vector<CQFace>& faces, const std::array<Vec3, 3>& points, const std::string& texture)
{
    faces.emplace_back(points[0], points[1], points[2], texture);
}

// B with only its faces changed: it keeps its place in the entity and its selection.
Replacement reshaped(const CQBrush& b, const std::vector<CQFace>& faces, DebugOutput& log)
{
    CQBrush brush = b;
    brush.Clear();
    for (const CQFace& face : faces) brush.AddFace(face, log);
    brush.BuildWindings(log);
    return {{std::move(brush)}, true};
}

// The cylinder's side faces, in the order its direction gives them.
bool cylinderFaces(const CQBrush& b, int direction, int sides, const std::string& texture,
                   std::vector<CQFace>& faces)
{
    if (direction < 0 || direction > 2 || sides < 3 || sides > kMaxFaces - 2) return false;
    const Box box{b.mins(), b.maxs()};
    const Orientation o = kOrientations[direction];
    const std::vector<Vec3> nearEnd = crossSection(box, o, sides, box.lo[o.axis]);
    const std::vector<Vec3> farEnd = crossSection(box, o, sides, box.hi[o.axis]);
    static constexpr std::array<int, 3> kPatterns[3] = {{0, 2, 3}, {0, 3, 2}, {3, 2, 0}};
    appendSideFaces(faces, nearEnd, farEnd, kPatterns[direction], texture);
    // East/West lists its low end's cap first.
    const bool firstCapHigh = direction != 2;
    appendFace(faces, box.side(o.axis, firstCapHigh), texture);
    appendFace(faces, box.side(o.axis, !firstCapHigh), texture);
    return true;
}

} // namespace

std::optional<Replacement> MakeArch(const CQBrush& b, int direction, int thickness, int pieces, std::string_view texture,
                                    DebugOutput& log)
{
    if (direction != 0 && direction != 1) {
        log.debugOutput("Invalid Selection for Arch direction!\n");
        return std::nullopt;
    }
    if (!b.IsValid() || thickness < 1 || pieces < 4) return std::nullopt;
    const Box box{b.mins(), b.maxs()};
    const Vec3 c = box.centre();
    const std::string name(texture);
    const auto t = static_cast<float>(thickness);
    // The arch spans B along `across` and is walked through along `through`.
    const int across = direction == 1 ? 1 : 0;
    const int through = 1 - across;

    // The legs: from B's bottom to its middle height, `thickness` wide at each end of the span.
    Vec3 legMaxs = box.hi;
    legMaxs.z = c.z;
    legMaxs[across] = box.lo[across] + t;
    Vec3 legMins = box.lo;
    legMins[across] = box.hi[across] - t;
    Replacement arch;
    CQBrush leg;
    leg.MakeBox(box.lo, legMaxs, name, log);
    arch.brushes.push_back(leg);
    legMaxs[across] = box.hi[across];
    leg.MakeBox(legMins, legMaxs, name, log);
    arch.brushes.push_back(leg);

    // The ring: pieces between successive angles of a half turn, outer radius r.
    const float r = c[across] - box.lo[across];
    const int ringPieces = pieces - 2;
    const auto delta = static_cast<float>(kPi / ringPieces);
    auto outer = [&](float theta, bool highEnd) {
        Vec3 p;
        p[through] = highEnd ? box.hi[through] : box.lo[through];
        p[across] = c[across] - r * std::cos(theta);
        p.z = c.z + r * std::sin(theta);
        return p;
    };
    Vec3 a{};
    a[through] = box.lo[through];
    a[across] = box.lo[across];
    a.z = c.z;
    Vec3 bo = a;
    bo[through] = box.hi[through];
    Vec3 ai = a;
    ai[across] += t;

    float theta = 0;
    for (int k = 1; k <= ringPieces; ++k) {
        theta += delta;
        const Vec3 pa = a;
        const Vec3 pai = ai;
        const Vec3 pb = bo;
        a = outer(theta, false);
        bo = outer(theta, true);
        Vec3 d = c - a;
        d[through] = 0;
        d = Normalized(d) * t;
        ai = a + d;
        const Vec3 bi = bo + d;

        // End at theta, end at the previous angle, inner, outer, and the two sides.
        const std::array<std::array<Vec3, 3>, 6> faces = {{
            {a, bi, bo}, {pb, pai, pa}, {pai, bi, ai}, {pb, a, bo}, {bi, pb, bo}, {a, pai, ai},
        }};
        CQBrush piece;
        for (const auto& f : faces) {
            // Walked along y the sides come in the other order, so the planes still face out.
            if (direction == 0) piece.AddFace(CQFace(f[0], f[2], f[1], name), log);
            else piece.AddFace(CQFace(f[0], f[1], f[2], name), log);
        }
        piece.BuildWindings(log);
        if (piece.IsValid()) arch.brushes.push_back(std::move(piece));
    }
    std::erase_if(arch.brushes, [](const CQBrush& brush) { return !brush.IsValid(); });
    return arch;
}

std::optional<Replacement> MakeCylinder(const CQBrush& b, int direction, int sides, std::string_view texture,
                                        DebugOutput& log)
{
    if (!b.IsValid()) return std::nullopt;
    std::vector<CQFace> faces;
    if (!cylinderFaces(b, direction, sides, std::string(texture), faces)) {
        log.debugOutput("MakeCylinder: direction or number of sides out of range\n");
        return std::nullopt;
    }
    return reshaped(b, faces, log);
}

std::optional<Replacement> MakeTube(const CQBrush& b, int direction, int sides, int thickness, std::string_view texture,
                                    DebugOutput& log)
{
    if (thickness < 0) return std::nullopt;
    auto cylinder = MakeCylinder(b, direction, sides, texture, log);
    if (!cylinder || thickness == 0) return cylinder;
    // The sides keep the polygons they got with the caps; the caps make no walls.
    const CQBrush& prism = cylinder->brushes.front();
    auto walls = MakeWalls(prism.faces().first(static_cast<size_t>(sides)), thickness, texture, log);
    if (!walls) return std::nullopt;
    return Replacement{std::move(*walls)};
}

std::optional<Replacement> MakeSpike(const CQBrush& b, int direction, int sides, std::string_view texture,
                                     DebugOutput& log)
{
    if (direction < 0 || direction > 5) {
        log.debugOutput("Error: function not implemented\n");
        return std::nullopt;
    }
    if (!b.IsValid() || sides < 3 || sides > kMaxFaces - 1) return std::nullopt;
    const Box box{b.mins(), b.maxs()};
    const Orientation o = kOrientations[direction % 3];
    // Up, North and East stand on the low side of the box; Down, South and West on the high one.
    const bool baseHigh = direction >= 3;
    const std::string name(texture);

    const std::vector<Vec3> base = crossSection(box, o, sides, baseHigh ? box.hi[o.axis] : box.lo[o.axis]);
    Vec3 apex = box.centre();
    apex[o.axis] = baseHigh ? box.lo[o.axis] : box.hi[o.axis];
    static constexpr std::array<int, 3> kPatterns[6] = {{0, 2, 1}, {0, 1, 2}, {1, 2, 0},
                                                        {0, 1, 2}, {0, 2, 1}, {1, 0, 2}};
    std::vector<CQFace> faces;
    appendSideFaces(faces, base, std::vector<Vec3>(base.size(), apex), kPatterns[direction], name);
    appendFace(faces, box.side(o.axis, baseHigh), name);
    return reshaped(b, faces, log);
}

} // namespace vorn
