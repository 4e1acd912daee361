// Reads arbitrary bytes as an alias model and as a PACK archive's directory, and walks what
// comes out: every triangle must name a vertex the model has.

#include "models/alias_model.h"
#include "models/pak_archive.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const vorn::AliasModelRead read = vorn::ReadAliasModel(bytes);
    if (read.model) {
        const vorn::AliasModel& model = *read.model;
        if (model.skin.size() != static_cast<size_t>(model.skinWidth) * static_cast<size_t>(model.skinHeight)) __builtin_trap();
        for (const auto& corners : model.triangles) {
            for (const vorn::AliasCorner& corner : corners) {
                if (corner.vertex >= model.positions.size()) __builtin_trap();
            }
        }
    }
    const vorn::PakDirectory directory = vorn::ReadPakDirectory(size, [&](std::uint64_t offset, size_t count) {
        return offset < bytes.size() ? std::string(bytes.substr(offset, count)) : std::string();
    });
    for (const vorn::PakMember& member : directory.members) {
        if (member.offset + member.length > size) __builtin_trap();
    }
    return 0;
}
