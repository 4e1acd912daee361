#pragma once

#include <cstddef>
#include <type_traits>

namespace vorn {

struct BulkBlock;

// Memory for the many small arrays that reading a map makes (brush faces, face polygons), carved
// from large blocks that the system backs whole when they are made, instead of page by page as
// each array is first written. An arena carves on one thread at a time; pieces may be freed on any
// thread, and a block goes back to the system when its last piece is freed. Arenas side by side
// (one for each thread) keep to cache lines of their own, or every carve would stall the others.
class alignas(64) BulkArena {
public:
    BulkArena() = default;
    BulkArena(const BulkArena&) = delete;
    BulkArena& operator=(const BulkArena&) = delete;
    ~BulkArena();

    // A piece of `bytes` (a multiple of 16, with room for its header) from the current block.
    char* carve(size_t bytes);
    // The same without a header: the piece's block is found from its address.
    char* carveBare(size_t bytes);

private:
    void makeRoom(size_t bytes);

    BulkBlock* block_ = nullptr;
    char* next_ = nullptr;
    char* end_ = nullptr;
};

// Memory of `bytes` from the arena, or from the ordinary heap when there is none; 16-byte aligned.
void* TakeBulk(BulkArena* arena, size_t bytes);
// Frees memory from TakeBulk, wherever it came from.
void GiveBulk(void* memory) noexcept;

// Memory of `bytes` without a header, for an owner that remembers where it came from: from the
// arena when there is one and the piece is small, else from the heap.
struct BarePiece {
    void* memory = nullptr;
    bool fromArena = false;
};
BarePiece TakeBareBulk(BulkArena* arena, size_t bytes);
void GiveBareBulk(BarePiece piece) noexcept;

// A container allocator that carves from an arena while it has one. Every instance frees every
// piece, so containers treat them all as equal: a container built with an arena and then moved
// into one made without takes the storage but not the arena, and from then on grows on the heap.
template <typename T>
class BulkAllocator {
public:
    using value_type = T;
    using propagate_on_container_copy_assignment = std::false_type;
    using propagate_on_container_move_assignment = std::false_type;
    using propagate_on_container_swap = std::false_type;
    using is_always_equal = std::true_type;

    BulkAllocator() noexcept = default;
    explicit BulkAllocator(BulkArena* arena) noexcept : arena_(arena) {}
    template <typename U>
    BulkAllocator(const BulkAllocator<U>& other) noexcept : arena_(other.arena())
    {
    }

    T* allocate(size_t n) { return static_cast<T*>(TakeBulk(arena_, n * sizeof(T))); }
    void deallocate(T* memory, size_t) noexcept { GiveBulk(memory); }
    // Copies never carve from the arena.
    BulkAllocator select_on_container_copy_construction() const noexcept { return {}; }
    BulkArena* arena() const noexcept { return arena_; }

    friend bool operator==(const BulkAllocator&, const BulkAllocator&) noexcept { return true; }

private:
    BulkArena* arena_ = nullptr;
};

} // namespace vorn
