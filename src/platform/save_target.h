#pragma once

#include "platform/file_failure.h"

#include <optional>
#include <string>
#include <sys/types.h>
#include <variant>

namespace vorn {

// The file a save writes: the path with its symbolic links followed, so that the link stays and
// the file it names gets the text, and what must be kept of the file there now.
struct SaveTarget {
    struct Existing {
        uid_t owner = 0;
        gid_t group = 0;
        mode_t mode = 0; // permissions with the set-id and sticky bits
        nlink_t links = 1;
    };
    std::string path;
    std::optional<Existing> existing;
};

// Where a save to `path` goes, or why there must be none: the file there is read-only, is not a
// regular file, or a link cannot be followed.
std::variant<SaveTarget, FileFailure> FindSaveTarget(const std::string& path);

} // namespace vorn
