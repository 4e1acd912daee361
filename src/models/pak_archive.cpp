#include "models/pak_archive.h"

#include "map/ignoring_case.h"
#include "platform/file_reading.h"
#include "textures/byte_view.h"

#include <filesystem>

namespace vorn {
namespace {

constexpr std::string_view kMagic = "PACK";
constexpr std::uint64_t kHeaderBytes = 12;
constexpr std::uint64_t kEntryBytes = 64;
constexpr std::uint64_t kNameBytes = 56;
// More members than any game holds; a directory claiming more is taken for damage.
constexpr std::uint64_t kMostMembers = 1 << 20;

std::string lowered(std::string_view name)
{
    std::string out(name);
    for (char& c : out) c = LowerAscii(c);
    return out;
}

PakDirectory refused(std::string reason) { return {{}, std::move(reason)}; }

} // namespace

PakDirectory ReadPakDirectory(std::uint64_t fileSize, const std::function<std::string(std::uint64_t, size_t)>& readPart)
{
    const std::string header = readPart(0, kHeaderBytes);
    const ByteView head(header);
    if (!head.contains(0, kHeaderBytes)) return refused("the file is too short for a PACK archive");
    if (head.slice(0, 4) != kMagic) return refused("the file is not a PACK archive");
    const std::uint64_t offset = head.u32(4);
    const std::uint64_t length = head.u32(8);
    if (head.i32(4) < 0 || head.i32(8) < 0 || length % kEntryBytes != 0 || length / kEntryBytes > kMostMembers ||
        offset > fileSize || length > fileSize - offset) {
        return refused("the archive's directory lies outside the file");
    }
    const std::string directory = readPart(offset, static_cast<size_t>(length));
    const ByteView entries(directory);
    if (!entries.contains(0, length)) return refused("the archive's directory lies outside the file");

    PakDirectory out;
    out.members.reserve(static_cast<size_t>(length / kEntryBytes));
    for (std::uint64_t at = 0; at < length; at += kEntryBytes) {
        PakMember member{std::string(entries.paddedName(at, kNameBytes)), entries.u32(at + kNameBytes),
                         entries.u32(at + kNameBytes + 4)};
        if (entries.i32(at + kNameBytes) < 0 || entries.i32(at + kNameBytes + 4) < 0 || member.offset > fileSize ||
            member.length > fileSize - member.offset) {
            return refused("the member " + member.name + " lies outside the file");
        }
        out.members.push_back(std::move(member));
    }
    return out;
}

PakArchive PakArchive::open(const std::string& path)
{
    PakArchive archive;
    archive.path_ = path;
    std::error_code noSize;
    const std::uintmax_t size = std::filesystem::file_size(path, noSize);
    std::optional<std::string> unreadable;
    PakDirectory directory = ReadPakDirectory(noSize ? 0 : size, [&](std::uint64_t offset, size_t count) {
        FileContents part = ReadFilePart(path, offset, count);
        if (!part.bytes && !unreadable) unreadable = part.error;
        return part.bytes.value_or(std::string());
    });
    archive.failure_ = unreadable ? unreadable : std::move(directory.failure);
    if (archive.failure_) return archive;
    archive.members_ = std::move(directory.members);
    for (size_t i = 0; i < archive.members_.size(); ++i) archive.byName_.try_emplace(lowered(archive.members_[i].name), i);
    return archive;
}

bool PakArchive::holds(std::string_view name) const
{
    return byName_.contains(lowered(name));
}

std::optional<std::string> PakArchive::read(std::string_view name, std::string& failure) const
{
    const auto found = byName_.find(lowered(name));
    if (found == byName_.end()) {
        failure = "it is not in " + path_;
        return std::nullopt;
    }
    const PakMember& member = members_[found->second];
    FileContents part = ReadFilePart(path_, member.offset, static_cast<size_t>(member.length));
    if (!part.bytes || part.bytes->size() != member.length) {
        failure = path_ + " could not be read" + (part.bytes ? std::string(" whole") : ": " + part.error);
        return std::nullopt;
    }
    return std::move(part.bytes);
}

} // namespace vorn
