#include "document/map_snapshot.h"

#include "document/map_document.h"

namespace vorn {

MapSnapshot TakeMapSnapshot(const CQMap& map, const std::string& path, const MapAuthor& author)
{
    MapSnapshot snapshot{map.FileHeader(path, author), {}};
    snapshot.entities.reserve(static_cast<size_t>(map.EntityCount()));
    for (int i = 0; i < map.EntityCount(); ++i) snapshot.entities.push_back(std::make_unique<CQEntity>(map.entity(i)));
    return snapshot;
}

} // namespace vorn
