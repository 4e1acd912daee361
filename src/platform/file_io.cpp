#include "platform/file_io.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vorn {
namespace {

std::string reasonFor(int error) { return std::strerror(error); }

// Closes a descriptor and removes the temporary file unless released.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    ~TemporaryFile()
    {
        if (fd_ >= 0) ::close(fd_);
        if (!kept_) ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool create()
    {
        fd_ = ::mkstemp(path_.data());
        return fd_ >= 0;
    }
    int fd() const { return fd_; }
    const std::string& path() const { return path_; }
    bool close()
    {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0;
    }
    void keep() { kept_ = true; }

private:
    std::string path_;
    int fd_ = -1;
    bool kept_ = false;
};

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// The permissions a new file would get, or the existing target's.
mode_t modeFor(const std::string& path)
{
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes)
{
    TemporaryFile temp(path + ".saving-XXXXXX");
    if (!temp.create()) return reasonFor(errno);
    if (!writeAll(temp.fd(), bytes) || ::fchmod(temp.fd(), modeFor(path)) != 0 || ::fsync(temp.fd()) != 0) {
        return reasonFor(errno);
    }
    if (!temp.close()) return reasonFor(errno);
    if (::rename(temp.path().c_str(), path.c_str()) != 0) return reasonFor(errno);
    temp.keep();
    return std::nullopt;
}

} // namespace vorn
