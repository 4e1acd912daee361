#include "platform/piece_writing.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <thread>
#include <unistd.h>
#include <vector>

namespace vorn {
namespace {

// Pieces each maker may have finished ahead of the one being written.
constexpr size_t kAheadPerMaker = 2;

bool writeAllAt(int fd, std::string_view bytes, off_t offset)
{
    while (!bytes.empty()) {
        const ssize_t written = ::pwrite(fd, bytes.data(), bytes.size(), offset);
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return false;
        bytes.remove_prefix(static_cast<size_t>(written));
        offset += written;
    }
    return true;
}

// Makers take the pieces in order into a ring of slots; the writer writes each slot once it is
// ready and frees it. A piece is taken only when its slot is free, which bounds what is held.
class PiecePipeline {
public:
    PiecePipeline(const PieceSource& source, size_t makers)
        : source_(source), count_(source.pieceCount()), slots_(makers * kAheadPerMaker)
    {
    }

    void make()
    {
        for (;;) {
            size_t index = 0;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] { return stopped_ || next_ == count_ || next_ < written_ + slots_.size(); });
                if (stopped_ || next_ == count_) return;
                index = next_++;
            }
            Slot& slot = slots_[index % slots_.size()];
            slot.room.clear();
            slot.text = source_.piece(index, slot.room);
            {
                const std::lock_guard lock(mutex_);
                slot.ready = true;
            }
            changed_.notify_all();
        }
    }

    long long write(int fd)
    {
        off_t offset = 0;
        for (size_t index = 0; index < count_; ++index) {
            Slot& slot = slots_[index % slots_.size()];
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] { return slot.ready; });
            }
            if (!writeAllAt(fd, slot.text, offset)) {
                stop();
                return -1;
            }
            // Starts writing the piece out to the disk now, so that the final sync has less left.
            ::sync_file_range(fd, offset, static_cast<off_t>(slot.text.size()), SYNC_FILE_RANGE_WRITE);
            offset += static_cast<off_t>(slot.text.size());
            {
                const std::lock_guard lock(mutex_);
                slot.ready = false;
                ++written_;
            }
            changed_.notify_all();
        }
        return offset;
    }

private:
    struct Slot {
        std::string room;
        std::string_view text;
        bool ready = false;
    };

    void stop()
    {
        {
            const std::lock_guard lock(mutex_);
            stopped_ = true;
        }
        changed_.notify_all();
    }

    const PieceSource& source_;
    const size_t count_;
    std::vector<Slot> slots_;
    std::mutex mutex_;
    std::condition_variable changed_;
    size_t next_ = 0;    // the next piece to take
    size_t written_ = 0; // pieces written
    bool stopped_ = false;
};

} // namespace

long long WritePieces(int fd, const PieceSource& source)
{
    if (source.pieceCount() == 1) {
        std::string room;
        const std::string_view text = source.piece(0, room);
        return writeAllAt(fd, text, 0) ? static_cast<long long>(text.size()) : -1;
    }
    const size_t makers = std::max(1u, std::thread::hardware_concurrency());
    PiecePipeline pipeline(source, makers);
    long long written = 0;
    int error = 0;
    {
        std::vector<std::jthread> threads;
        threads.reserve(makers);
        for (size_t m = 0; m < makers; ++m) threads.emplace_back([&] { pipeline.make(); });
        written = pipeline.write(fd);
        error = errno;
    }
    errno = error;
    return written;
}

} // namespace vorn
