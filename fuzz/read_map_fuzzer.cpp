// Reads arbitrary bytes as a map file and writes the result back in the format it was read in.

#include "entities/bundled_entity_list.h"
#include "entities/entity_class.h"
#include "map/entity.h"
#include "map/map_file.h"
#include "map/map_text.h"
#include "platform/null_host.h"

#include <cstddef>
#include <cstdint>

namespace {

const vorn::EntityClassList& catalogue()
{
    static const vorn::EntityClassList classes = [] {
        vorn::EntityClassList list;
        list.loadText(vorn::BundledEntityList());
        return list;
    }();
    return classes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    vorn::NullHost host;
    std::vector<std::unique_ptr<vorn::CQEntity>> entities;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const vorn::MapReadResult read = vorn::ReadMap(text, catalogue(), host, nullptr, entities);
    vorn::MapHeader header;
    header.format = read.format;
    const std::string written = vorn::WriteMap(header, entities);
    // What was written must read back without damage.
    std::vector<std::unique_ptr<vorn::CQEntity>> again;
    const vorn::MapReadResult reread = vorn::ReadMap(written, catalogue(), host, nullptr, again);
    if (reread.damaged && !entities.empty()) __builtin_trap();
    return 0;
}
