#include "platform/file_failure.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace vorn {

FileFailure SystemFailure(int number)
{
    return {number, std::strerror(number)};
}

std::optional<FileFailure> RefusalOfFileType(mode_t mode)
{
    if (S_ISREG(mode)) return std::nullopt;
    if (S_ISDIR(mode)) return SystemFailure(EISDIR);
    return FileFailure{EINVAL, "not a regular file"};
}

} // namespace vorn
