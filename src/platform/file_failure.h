#pragma once

#include <optional>
#include <string>
#include <sys/types.h>

namespace vorn {

// Why a file could not be read or written: the system's error number and the words for the user.
struct FileFailure {
    int number = 0;
    std::string reason;
};

// The system's own words for an error number.
FileFailure SystemFailure(int number);

// Only regular files are read or saved: opening a FIFO waits for a writer, reading a device such
// as /dev/zero never ends, and a folder holds no text. Nothing for a regular file; a folder fails
// as the system would say it (EISDIR), anything else as "not a regular file" (EINVAL).
std::optional<FileFailure> RefusalOfFileType(mode_t mode);

} // namespace vorn
