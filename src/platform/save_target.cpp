#include "platform/save_target.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace vorn {
namespace {

constexpr int kMaxLinksFollowed = 40; // as many as the system follows in one path

// Read-only as its permissions say: a file nobody may write is read-only even for the superuser,
// who could write it but is then told what everyone else would be; otherwise this process must
// be allowed to write it itself. A rename would replace either without asking.
bool isReadOnly(const std::string& path, mode_t mode)
{
    if ((mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return true;
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

} // namespace

std::variant<SaveTarget, FileFailure> FindSaveTarget(const std::string& path)
{
    std::filesystem::path target = path;
    for (int followed = 0; followed <= kMaxLinksFollowed; ++followed) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0) {
            if (errno == ENOENT) return SaveTarget{target.string(), std::nullopt}; // a new file
            return SystemFailure(errno);
        }
        if (S_ISLNK(info.st_mode)) {
            std::error_code error;
            const std::filesystem::path named = std::filesystem::read_symlink(target, error);
            if (error) return SystemFailure(error.value());
            target = target.parent_path() / named; // an absolute link replaces the whole path
            continue;
        }
        if (auto refusal = RefusalOfFileType(info.st_mode)) return *refusal;
        if (isReadOnly(target.string(), info.st_mode)) return FileFailure{EACCES, "the file is read-only"};
        return SaveTarget{target.string(), SaveTarget::Existing{info.st_uid, info.st_gid, info.st_mode & 07777, info.st_nlink}};
    }
    return SystemFailure(ELOOP);
}

} // namespace vorn
