#include "brush_checks.h"
#include "geometry/bulk_memory.h"
#include "geometry/face_polygon.h"
#include "geometry/plane_points.h"
#include "geometry/texture_name.h"
#include "platform/prefault.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <limits>
#include <optional>
#include <thread>

using namespace vorn;
using vorn::test::BrushText;

// Pieces carved from an arena stay good after the arena is gone, wherever they are freed; a
// container that took their storage grows on the heap from then on.
TEST(BulkMemory, PiecesOutliveTheirArenaAndTheirContainersGrowOnTheHeap)
{
    std::vector<WindingPoints> many;
    WindingPoints kept;
    {
        BulkArena arena;
        // More than a block holds, so that the arena moves on to further blocks.
        for (int i = 0; i < 50000; ++i) {
            WindingPoints points(4, BulkAllocator<Vec3>(&arena));
            points[0] = {static_cast<float>(i), 0, 0};
            many.emplace_back();
            many.back() = std::move(points);
        }
        WindingPoints built({{1, 2, 3}, {4, 5, 6}}, BulkAllocator<Vec3>(&arena));
        kept = std::move(built);
    }
    EXPECT_EQ(kept.get_allocator().arena(), nullptr);
    for (int i = 0; i < 100; ++i) kept.push_back({7, 8, static_cast<float>(i)});
    EXPECT_EQ(kept[1], (Vec3{4, 5, 6}));
    EXPECT_EQ(kept.back(), (Vec3{7, 8, 99}));

    // Half freed here, half on another thread; every piece still holds what was written to it.
    for (int i = 0; i < 50000; i += 2) EXPECT_EQ(many[static_cast<size_t>(i)][0].x, static_cast<float>(i));
    std::vector<WindingPoints> elsewhere(many.size() / 2);
    for (size_t i = 0; i < elsewhere.size(); ++i) elsewhere[i] = std::move(many[2 * i + 1]);
    std::thread([pieces = std::move(elsewhere)]() mutable { pieces.clear(); }).join();
    many.clear();
}

// Arrays that grow from small to many megabytes (as a map's brushes do) keep every element through
// each move to larger memory, and a copy and a shrunken one are their own.
TEST(BulkMemory, ArraysBackedAtOnceKeepWhatTheyHoldFromSmallToLarge)
{
    std::vector<std::uint64_t, BackedAllocator<std::uint64_t>> numbers;
    for (std::uint64_t i = 0; i < 1000000; ++i) numbers.push_back(i * 7);
    auto copy = numbers;
    numbers.resize(10);
    numbers.shrink_to_fit();
    EXPECT_EQ(numbers.back(), 63u);
    ASSERT_EQ(copy.size(), 1000000u);
    for (std::uint64_t i = 0; i < copy.size(); i += 997) EXPECT_EQ(copy[i], i * 7);
    EXPECT_EQ(copy.back(), 999999u * 7);
}

// Face polygons carved without headers find their block from their address, over many blocks
// and when freed on another thread; copies and moves keep their corners.
TEST(BulkMemory, FacePolygonsCarvedBareAreFreedWhereverTheyGo)
{
    std::vector<FacePolygon> polygons;
    {
        BulkArena arena;
        for (int i = 0; i < 100000; ++i) {
            const std::array<Vec3, 3> corners{Vec3{static_cast<float>(i), 0, 0}, Vec3{0, 1, 0}, Vec3{0, 0, 1}};
            polygons.emplace_back(corners, &arena);
        }
    }
    FacePolygon copy = polygons[99999];
    FacePolygon moved = std::move(polygons[5]);
    EXPECT_FALSE(polygons[5]);
    EXPECT_EQ(copy[0].x, 99999.0f);
    EXPECT_EQ(moved.numpoints(), 3);
    EXPECT_EQ(moved[0].x, 5.0f);
    std::thread([far = std::vector<FacePolygon>(std::make_move_iterator(polygons.begin() + 50000),
                                                std::make_move_iterator(polygons.end()))]() mutable { far.clear(); })
        .join();
    for (int i = 6; i < 50000; i += 997) EXPECT_EQ(polygons[static_cast<size_t>(i)][0].x, static_cast<float>(i));
}

// Texture names of up to 15 characters stay in place, longer ones go to the heap; either kind
// copies, moves and takes a part of itself.
TEST(BulkMemory, TextureNamesOfAnyLength)
{
    for (const std::string& name : std::vector<std::string>{"", "WALL", "fifteen_chars__", "sixteen_chars___", std::string(300, 'x')}) {
        TextureName texture(name);
        TextureName copy = texture;
        TextureName moved = std::move(texture);
        EXPECT_EQ(copy, name);
        EXPECT_EQ(moved, copy);
        const size_t cut = std::min<size_t>(1, name.size());
        moved = moved.view().substr(cut);
        EXPECT_EQ(moved, name.substr(cut));
    }
}

// Plane points keep every value exactly, whether single precision holds it or not, through copies,
// moves and changes that take them from one kind to the other.
TEST(BulkMemory, PlanePointsOfAnyPrecision)
{
    const double huge = std::numeric_limits<double>::max();
    for (const DVec3 first : {DVec3{-0.0, 3e9, 0.5}, DVec3{0.9, -1.7, 1e-16}, DVec3{1e300, -huge, 16777217}}) {
        const PlanePoints::Points given{first, DVec3{0, 64, 0}, DVec3{64, 64, 0}};
        PlanePoints points(given);
        PlanePoints copy = points;
        PlanePoints moved = std::move(points);
        EXPECT_EQ(copy.points(), given);
        EXPECT_EQ(moved, copy);
        EXPECT_EQ(std::signbit(moved[0].x), std::signbit(first.x));
        moved.change([](DVec3& p) { p.x += 0.1; });
        copy = moved;
        moved = PlanePoints::Points{};
        EXPECT_EQ(copy[2].x, 64.1);
        EXPECT_EQ(moved[0], DVec3{});
    }
}

// A copy carved from an arena (as the history keeps the brushes a large step edits) is the same
// brush, outlives the arena, and is independent of its original.
TEST(BulkMemory, ABrushCopiedOrReadIntoAnArenaIsTheSameBrushAndItsOwn)
{
    NullDebugOutput log;
    CQBrush source;
    source.MakeBox({0, 0, 0}, {64, 32, 16}, "WALL", log);
    source.setId(42);
    source.face(2).axes = TextureAxes{{DVec3{1, 0, 0}, DVec3{0, 0, -1}}, {0.5, 3}};
    source.face(3).shift = {8, 4};
    source.face(3).rotation = 90;

    std::optional<CQBrush> copy;
    {
        BulkArena arena;
        copy.emplace(source, &arena);
    }
    EXPECT_EQ(std::tuple(copy->id(), copy->IsValid(), copy->mins(), copy->maxs()), std::tuple(42u, true, source.mins(), source.maxs()));
    for (const MapFormat format : {MapFormat::Standard, MapFormat::Valve220}) EXPECT_EQ(BrushText(*copy, format), BrushText(source, format));
    ASSERT_EQ(copy->numfaces(), source.numfaces());
    for (int f = 0; f < source.numfaces(); ++f) {
        EXPECT_EQ(copy->face(f).plane, source.face(f).plane);
        ASSERT_TRUE(copy->face(f).winding && source.face(f).winding);
        EXPECT_TRUE(std::ranges::equal(copy->face(f).winding->points(), source.face(f).winding->points()));
    }
    copy->Move({16, 0, 0}, TextureLock::Off);
    EXPECT_EQ(source.mins(), (Vec3{0, 0, 0}));
    EXPECT_EQ(copy->mins(), (Vec3{16, 0, 0}));

    // A brush read into an arena moves and is edited like any other once the arena is gone.
    CQBrush read;
    {
        BulkArena arena;
        std::vector<CQFace> faces(source.faces().begin(), source.faces().end());
        CQBrush inArena;
        inArena.TakeFaces(faces, &arena);
        ASSERT_TRUE(inArena.BuildWindings(log, &arena));
        read = std::move(inArena); // the storage, carved from the arena
    }
    read.Move({8, 0, 0}, TextureLock::Off);
    read.AddFace(CQFace({0, 0, 8}, {0, 64, 8}, {64, 64, 8}, "CUT"), log);
    ASSERT_TRUE(read.BuildWindings(log));
    EXPECT_EQ(std::pair(read.CountFaces(), read.maxs()), std::pair(6, Vec3{72, 32, 8}));
}
