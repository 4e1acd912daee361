#include "platform/file_reading.h"

#include "platform/file_descriptor.h"
#include "platform/file_failure.h"
#include "platform/prefault.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace vorn {
namespace {

// What a reading of either kind gives when it fails.
template <typename Result = FileContents>
Result failed(FileFailure failure)
{
    return {std::nullopt, std::move(failure.reason), failure.number};
}

FileFailure tooLarge(std::uint64_t limit)
{
    constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;
    constexpr std::uint64_t kGiB = std::uint64_t{1} << 30;
    const std::string size = limit % kGiB == 0   ? std::to_string(limit / kGiB) + " GiB"
                             : limit % kMiB == 0 ? std::to_string(limit / kMiB) + " MiB"
                                                 : std::to_string(limit) + " bytes";
    return {EFBIG, "the file is larger than " + size};
}

struct OpenedFile {
    FileDescriptor fd;
    std::uint64_t size = 0;
    std::optional<FileFailure> failure;
};

// The file's type is checked before it is opened, since opening a FIFO waits for a writer and
// opening a device may act on it; and again on what was opened, in case the path changed in
// between (opened without waiting, for that case too).
OpenedFile openRegularFile(const std::string& path)
{
    OpenedFile file;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        file.failure = SystemFailure(errno);
        return file;
    }
    if ((file.failure = RefusalOfFileType(info.st_mode))) return file;
    file.fd = FileDescriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!file.fd.isOpen() || ::fstat(file.fd.get(), &info) != 0) {
        file.failure = SystemFailure(errno);
        return file;
    }
    file.failure = RefusalOfFileType(info.st_mode);
    file.size = static_cast<std::uint64_t>(info.st_size);
    return file;
}

// Appends bytes from the file until it ends or `bytes` holds `most`.
std::optional<FileFailure> readAtMost(int fd, std::uint64_t most, std::string& bytes)
{
    char buffer[1 << 16];
    while (bytes.size() < most) {
        const auto wanted = static_cast<size_t>(std::min<std::uint64_t>(sizeof buffer, most - bytes.size()));
        const ssize_t got = ::read(fd, buffer, wanted);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return SystemFailure(errno);
        if (got == 0) break;
        bytes.append(buffer, static_cast<size_t>(got));
    }
    return std::nullopt;
}

} // namespace

FileContents ReadWholeFile(const std::string& path, std::uint64_t limit)
{
    OpenedFile file = openRegularFile(path);
    if (file.failure) return failed(std::move(*file.failure));
    if (file.size > limit) return failed(tooLarge(limit));
    std::string bytes;
    // Room for the whole file at once: growing a string of tens of megabytes step by step copies
    // it again and again.
    if (file.size > 0) {
        bytes.reserve(static_cast<size_t>(file.size));
        PrefaultForWriting(bytes.data(), bytes.capacity());
    }
    // One byte more than the limit shows a file that grew past it while it was read.
    if (auto failure = readAtMost(file.fd.get(), limit + 1, bytes)) return failed(std::move(*failure));
    if (bytes.size() > limit) return failed(tooLarge(limit));
    return {std::move(bytes), {}, 0};
}

ReleasableBytes::ReleasableBytes(ReleasableBytes&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)),
      mapped_(std::exchange(other.mapped_, 0)), released_(std::exchange(other.released_, 0))
{
}

ReleasableBytes& ReleasableBytes::operator=(ReleasableBytes&& other) noexcept
{
    if (this != &other) {
        free();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        mapped_ = std::exchange(other.mapped_, 0);
        released_ = std::exchange(other.released_, 0);
    }
    return *this;
}

ReleasableBytes::~ReleasableBytes()
{
    free();
}

void ReleasableBytes::free() noexcept
{
    if (data_) ::munmap(data_, mapped_);
    data_ = nullptr;
}

void ReleasableBytes::releaseBefore(size_t offset)
{
    const auto page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
    const size_t end = std::min(offset, size_) / page * page;
    if (end <= released_) return;
    ::madvise(data_ + released_, end - released_, MADV_DONTNEED);
    released_ = end;
}

ReleasableFile ReadReleasableFile(const std::string& path, std::uint64_t limit)
{
    OpenedFile file = openRegularFile(path);
    if (file.failure) return failed<ReleasableFile>(std::move(*file.failure));
    if (file.size > limit) return failed<ReleasableFile>(tooLarge(limit));
    ReleasableBytes bytes;
    if (file.size == 0) return {std::move(bytes), {}, 0};
    const auto size = static_cast<size_t>(file.size);
    void* memory = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) return failed<ReleasableFile>(SystemFailure(errno));
    bytes.data_ = static_cast<char*>(memory);
    bytes.mapped_ = size;
    PrefaultForWriting(bytes.data_, size);
    // What the file held when it was opened: a file that shrinks meanwhile gives what is left.
    while (bytes.size_ < size) {
        const ssize_t got = ::read(file.fd.get(), bytes.data_ + bytes.size_, size - bytes.size_);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return failed<ReleasableFile>(SystemFailure(errno));
        if (got == 0) break;
        bytes.size_ += static_cast<size_t>(got);
    }
    return {std::move(bytes), {}, 0};
}

FileContents ReadFileStart(const std::string& path, size_t count)
{
    return ReadFilePart(path, 0, count);
}

FileContents ReadFilePart(const std::string& path, std::uint64_t offset, size_t count)
{
    OpenedFile file = openRegularFile(path);
    if (file.failure) return failed(std::move(*file.failure));
    std::string bytes;
    if (offset > 0) {
        if (offset >= file.size) return {std::move(bytes), {}, 0};
        if (::lseek(file.fd.get(), static_cast<off_t>(offset), SEEK_SET) < 0) return failed(SystemFailure(errno));
    }
    if (offset < file.size) bytes.reserve(static_cast<size_t>(std::min<std::uint64_t>(count, file.size - offset)));
    if (auto failure = readAtMost(file.fd.get(), count, bytes)) return failed(std::move(*failure));
    return {std::move(bytes), {}, 0};
}

} // namespace vorn
