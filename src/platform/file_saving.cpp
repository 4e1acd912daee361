#include "platform/file_saving.h"

#include "platform/file_descriptor.h"
#include "platform/piece_writing.h"
#include "platform/save_target.h"
#include "platform/temporary_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>

namespace vorn {
namespace {

std::string reasonFor(int error) { return std::strerror(error); }

std::string folderOf(const std::string& path)
{
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

// Makes a file's name, once written, outlast a crash. A request only: some file systems cannot
// sync a folder, and the file itself is already on disk.
void syncFolder(const std::string& folder)
{
    const FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.isOpen()) ::fsync(fd.get());
}

// Whether the copy can replace the existing file as it is: a file with one name only, whose
// owner and group the copy can be given (an owner who is not this process cannot be, unless this
// is the superuser). Gives the copy the file's owner, group and permissions on the way.
bool canTakeItsPlace(const TemporaryFile& copy, const SaveTarget::Existing& existing)
{
    if (existing.links > 1) return false;
    struct stat own {};
    if (::fstat(copy.fd(), &own) != 0) return false;
    if ((own.st_uid != existing.owner || own.st_gid != existing.group) &&
        ::fchown(copy.fd(), existing.owner, existing.group) != 0) {
        return false;
    }
    return ::fchmod(copy.fd(), existing.mode) == 0; // after fchown, which clears the set-id bits
}

// A file with several names, or an owner the copy cannot get, stays that file only when its own
// content is rewritten. The complete new text is on disk in the copy, under its name, before the
// file is touched, so one whole version survives whatever stops the rewrite: the old one in the
// file until it begins, the new one in the copy until it ends. The copy goes only once the file
// holds the new text on disk; when the rewrite fails it is kept and named.
std::optional<std::string> rewriteInPlace(const std::string& path, TemporaryFile& copy, const PieceSource& text)
{
    if (!copy.close()) return reasonFor(errno);
    syncFolder(folderOf(copy.path()));
    FileDescriptor file(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW));
    if (!file.isOpen()) return reasonFor(errno); // untouched: the copy is not needed
    const long long size = WritePieces(file.get(), text);
    if (size >= 0 && ::ftruncate(file.get(), static_cast<off_t>(size)) == 0 &&
        ::fsync(file.get()) == 0 && file.close()) {
        return std::nullopt;
    }
    const std::string reason = reasonFor(errno);
    copy.keep();
    return reason + "; the complete new text is in " + copy.path();
}

} // namespace

std::optional<std::string> SaveFile(const std::string& path, const PieceSource& text)
{
    const auto found = FindSaveTarget(path);
    if (const auto* refusal = std::get_if<FileFailure>(&found)) return refusal->reason;
    const SaveTarget& target = std::get<SaveTarget>(found);

    TemporaryFile copy;
    // A copy of an existing file is its owner's alone until it gets the file's permissions, so
    // that nobody reads a copy of a file they could not read; a new file gets what the umask allows.
    const mode_t mode = target.existing ? 0600 : 0666;
    if (!copy.create(folderOf(target.path), mode)) return reasonFor(errno);
    if (WritePieces(copy.fd(), text) < 0 || ::fsync(copy.fd()) != 0) return reasonFor(errno);
    if (target.existing && !canTakeItsPlace(copy, *target.existing)) return rewriteInPlace(target.path, copy, text);
    if (!copy.close()) return reasonFor(errno);
    if (::rename(copy.path().c_str(), target.path.c_str()) != 0) return reasonFor(errno);
    copy.keep();
    syncFolder(folderOf(target.path));
    return std::nullopt;
}

std::optional<std::string> SaveFile(const std::string& path, std::string_view bytes)
{
    return SaveFile(path, WholeText(bytes));
}

} // namespace vorn
