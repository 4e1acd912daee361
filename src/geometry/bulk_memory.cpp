#include "geometry/bulk_memory.h"

#include "platform/prefault.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

namespace vorn {
namespace {

// Blocks of one huge page where the system has them; pieces larger than a sixteenth of a block
// come from the heap.
constexpr size_t kBlockSize = size_t{2} << 20;
constexpr size_t kLargestPiece = kBlockSize / 16;
// Every piece starts with the block it came from (none for the heap), padded to keep alignment.
constexpr size_t kHeader = 16;

constexpr size_t roundUp16(size_t bytes)
{
    return (bytes + 15) / 16 * 16;
}

} // namespace

struct BulkBlock {
    // One for each piece still in use, and one while the arena carves from the block.
    std::atomic<size_t> holds{1};

    static BulkBlock* make()
    {
        void* memory = std::aligned_alloc(kBlockSize, kBlockSize);
        if (!memory) throw std::bad_alloc();
        PrefaultForWriting(memory, kBlockSize);
        return new (memory) BulkBlock;
    }
    void release() noexcept
    {
        if (holds.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            this->~BulkBlock();
            std::free(this);
        }
    }
};

namespace {

constexpr size_t kBlockHeader = roundUp16(sizeof(BulkBlock));

BulkBlock* blockOf(const char* piece)
{
    BulkBlock* block = nullptr;
    std::memcpy(&block, piece, sizeof block);
    return block;
}

void setBlockOf(char* piece, BulkBlock* block)
{
    std::memcpy(piece, &block, sizeof block);
}

} // namespace

BulkArena::~BulkArena()
{
    if (block_) block_->release();
}

void BulkArena::makeRoom(size_t bytes)
{
    if (block_ && static_cast<size_t>(end_ - next_) >= bytes) return;
    BulkBlock* fresh = BulkBlock::make();
    if (block_) block_->release();
    block_ = fresh;
    next_ = reinterpret_cast<char*>(fresh) + kBlockHeader;
    end_ = reinterpret_cast<char*>(fresh) + kBlockSize;
}

char* BulkArena::carveBare(size_t bytes)
{
    makeRoom(bytes);
    char* piece = next_;
    next_ += bytes;
    block_->holds.fetch_add(1, std::memory_order_relaxed);
    return piece;
}

char* BulkArena::carve(size_t bytes)
{
    char* piece = carveBare(bytes);
    setBlockOf(piece, block_);
    return piece;
}

void* TakeBulk(BulkArena* arena, size_t bytes)
{
    const size_t total = roundUp16(bytes) + kHeader;
    char* piece = nullptr;
    if (arena && total <= kLargestPiece) {
        piece = arena->carve(total);
    } else {
        piece = static_cast<char*>(::operator new(total));
        setBlockOf(piece, nullptr);
    }
    return piece + kHeader;
}

BarePiece TakeBareBulk(BulkArena* arena, size_t bytes)
{
    // Never empty, so that a piece never starts at its block's end.
    const size_t rounded = roundUp16(bytes > 0 ? bytes : 1);
    if (arena && rounded <= kLargestPiece) return {arena->carveBare(rounded), true};
    return {::operator new(rounded), false};
}

void GiveBareBulk(BarePiece piece) noexcept
{
    if (!piece.fromArena) {
        ::operator delete(piece.memory);
        return;
    }
    // Blocks are aligned to their size, and a piece lies wholly inside its block.
    const auto address = reinterpret_cast<std::uintptr_t>(piece.memory);
    reinterpret_cast<BulkBlock*>(address & ~(std::uintptr_t{kBlockSize} - 1))->release();
}

void GiveBulk(void* memory) noexcept
{
    if (!memory) return;
    char* piece = static_cast<char*>(memory) - kHeader;
    if (BulkBlock* block = blockOf(piece)) {
        block->release();
    } else {
        ::operator delete(piece);
    }
}

} // namespace vorn
