#pragma once

#include "entities/other_keys.h"
#include "map/entity.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vorn {

// What OK in Map Properties makes of the world: its pairs in order and the texture archive
// that becomes the current one.
struct MapPropertiesResult {
    std::vector<CQKeyValue> pairs;
    std::string wadName;
};

// The Map Properties dialog's values, without quotes.
struct MapPropertiesForm {
    // The editing use: the world's values.
    static MapPropertiesForm readWorld(const CQEntity& world);
    // The creating use: empty fields but for the current texture archive.
    static MapPropertiesForm forNewWorld(std::string currentWadName);

    std::string name;      // "message"
    std::string wad;       // "wad"
    std::string cdTrack;   // "sounds"
    std::string worldType; // "worldtype"
    OtherKeys otherKeys;

    // The keys OK writes from the fields: no other key may take them.
    static std::span<const std::string> ownKeys();
    std::optional<std::string> problem() const;
    MapPropertiesResult ok() const;
};

// Gives the world the confirmed pairs.
void ApplyMapProperties(CQEntity& world, const MapPropertiesResult& result);
// The world entity the creating use adds to an empty map.
CQEntity MakeWorld(const MapPropertiesResult& result);

} // namespace vorn
