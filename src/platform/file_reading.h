#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorn {

// The most any file is read whole: a larger one is refused rather than filling the memory.
inline constexpr std::uint64_t kMaxFileBytes = std::uint64_t{1} << 30;

// The file's bytes, or why they could not be read.
struct FileContents {
    std::optional<std::string> bytes;
    std::string error;   // the reason, for the user
    int errorNumber = 0; // the system's error number behind it (EFBIG for a file over the limit)
};

// The whole of a regular file of at most `limit` bytes. Anything else is refused before it is
// read (see RefusalOfFileType), and so is a file that grows past the limit while it is read.
FileContents ReadWholeFile(const std::string& path, std::uint64_t limit = kMaxFileBytes);

// A file's bytes in memory of their own that a reader gives back to the system from the front as
// it is done with them, so that a large map is not held whole beside what it became.
class ReleasableBytes {
public:
    ReleasableBytes() = default;
    ReleasableBytes(const ReleasableBytes&) = delete;
    ReleasableBytes& operator=(const ReleasableBytes&) = delete;
    ReleasableBytes(ReleasableBytes&& other) noexcept;
    ReleasableBytes& operator=(ReleasableBytes&& other) noexcept;
    ~ReleasableBytes();

    std::string_view view() const { return {data_, size_}; }
    // Gives back the whole pages before `offset`: what they held is gone.
    void releaseBefore(size_t offset);

private:
    friend struct ReleasableFile ReadReleasableFile(const std::string& path, std::uint64_t limit);
    void free() noexcept;

    char* data_ = nullptr;
    size_t size_ = 0;
    size_t mapped_ = 0;
    size_t released_ = 0;
};

struct ReleasableFile {
    std::optional<ReleasableBytes> bytes;
    std::string error;
    int errorNumber = 0;
};

// The whole of a regular file of at most `limit` bytes, as it was when it was opened, in memory
// that can be given back piece by piece; refused as ReadWholeFile refuses.
ReleasableFile ReadReleasableFile(const std::string& path, std::uint64_t limit = kMaxFileBytes);

// The first `count` bytes of a regular file, or all of it when it is shorter.
FileContents ReadFileStart(const std::string& path, size_t count);

// The `count` bytes of a regular file from `offset` on, or fewer where it ends (archives read
// one member at a time).
FileContents ReadFilePart(const std::string& path, std::uint64_t offset, size_t count);

} // namespace vorn
