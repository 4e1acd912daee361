#pragma once

#include "render/scene_vertex.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace vorn {

// The room a brush takes in the scene's arrays.
struct SceneRoom {
    std::uint32_t vertices = 0;
    std::uint32_t triangleIndices = 0;
    std::uint32_t lineIndices = 0;

    SceneRoom& operator+=(const SceneRoom& other)
    {
        vertices += other.vertices;
        triangleIndices += other.triangleIndices;
        lineIndices += other.lineIndices;
        return *this;
    }
};

// Writes corners, triangles and lines one after the other into room made for them beforehand, so
// that brushes can be written into the scene's arrays side by side on several threads.
struct SceneWriter {
    SceneVertex* vertices;
    std::uint32_t* triangles;
    std::uint32_t* lines;

    void corner(const SceneVertex& v) { *vertices++ = v; }
    void triangle(std::uint32_t a, std::uint32_t b, std::uint32_t c)
    {
        triangles[0] = a;
        triangles[1] = b;
        triangles[2] = c;
        triangles += 3;
    }
    void line(std::uint32_t a, std::uint32_t b)
    {
        lines[0] = a;
        lines[1] = b;
        lines += 2;
    }
};

// Leaves the elements a vector grows by as they come, for arrays that are written over whole
// right after: the scene's arrays take hundreds of megabytes on a large map.
template <typename T>
struct UnfilledAllocator : std::allocator<T> {
    template <typename U>
    struct rebind {
        using other = UnfilledAllocator<U>;
    };
    UnfilledAllocator() = default;
    template <typename U>
    UnfilledAllocator(const UnfilledAllocator<U>&) noexcept {}
    template <typename U>
    void construct(U* p) noexcept
    {
        ::new (static_cast<void*>(p)) U;
    }
    template <typename U, typename... Args>
    void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

template <typename T>
using UnfilledVector = std::vector<T, UnfilledAllocator<T>>;

} // namespace vorn
