#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vorn {

// One file held in a PACK archive.
struct PakMember {
    std::string name; // "/"-separated, as stored
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
};

// A PACK archive's directory, or why the archive is refused.
struct PakDirectory {
    std::vector<PakMember> members;
    std::optional<std::string> failure;
};

// Reads the directory of a PACK archive of `fileSize` bytes: a 12-byte header ("PACK", the
// directory's offset and length) and 64-byte entries (a name padded with NULs to 56 bytes, the
// member's offset and length). `readPart(offset, count)` gives the file's bytes there. A header
// or directory that does not fit the file, or a member that lies outside it, refuses the
// whole archive.
PakDirectory ReadPakDirectory(std::uint64_t fileSize, const std::function<std::string(std::uint64_t, size_t)>& readPart);

// A PACK archive on disk: its directory is held, each member read from the file when asked for.
class PakArchive {
public:
    // The archive, or the reason it cannot be used.
    static PakArchive open(const std::string& path);

    const std::string& path() const { return path_; }
    const std::optional<std::string>& failure() const { return failure_; }
    // Whether a member of that name is here (names compared ignoring case).
    bool holds(std::string_view name) const;
    // The member's bytes; none, with the reason, when it is not here or the file no longer holds it.
    std::optional<std::string> read(std::string_view name, std::string& failure) const;

private:
    std::string path_;
    std::optional<std::string> failure_;
    std::vector<PakMember> members_;
    std::unordered_map<std::string, size_t> byName_; // lower-case name: the first member of it
};

} // namespace vorn
