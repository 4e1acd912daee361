#pragma once

#include "platform/file_descriptor.h"

#include <string>
#include <sys/types.h>

namespace vorn {

// A new hidden file with a short random name (".vorn-" and six letters or digits) in a folder,
// removed again unless kept. The name is short so that a save works beside a file whose name is
// as long as the file system allows.
class TemporaryFile {
public:
    TemporaryFile() = default;
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Creates the file with at most the permissions `mode` (the umask narrows them further).
    // False, with errno set, when it cannot be made.
    bool create(const std::string& folder, mode_t mode);
    int fd() const { return fd_.get(); }
    const std::string& path() const { return path_; }
    // False, with errno set, when closing reports an error.
    bool close() { return fd_.close(); }
    // The file stays where it is: it was renamed into place, or is kept for the user.
    void keep() { kept_ = true; }

private:
    std::string path_;
    FileDescriptor fd_;
    bool kept_ = false;
};

} // namespace vorn
