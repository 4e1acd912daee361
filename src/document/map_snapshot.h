#pragma once

#include "map/entity.h"
#include "map/map_file.h"
#include "map/map_text.h"

#include <memory>
#include <string>
#include <vector>

namespace vorn {

class CQMap;

// A copy of the map as its file at `header.path` would hold it, independent of later changes,
// so that its text can be written on another thread.
struct MapSnapshot {
    MapHeader header;
    std::vector<std::unique_ptr<CQEntity>> entities;

    std::string text() const { return WriteMap(header, entities); }
};

MapSnapshot TakeMapSnapshot(const CQMap& map, const std::string& path, const MapAuthor& author);

} // namespace vorn
