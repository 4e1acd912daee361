#pragma once

#include "geometry/vec3.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// One corner of a model triangle: its vertex and where it lies on the skin, from 0 to 1.
struct AliasCorner {
    std::uint32_t vertex = 0;
    float u = 0;
    float v = 0;
};

// What the editor shows of an alias model ("IDPO", version 6): its first frame and first skin.
struct AliasModel {
    int skinCount = 0;
    int skinWidth = 0;
    int skinHeight = 0;
    int frameCount = 0;
    std::string skin;             // the first skin's palette indices, rows top to bottom
    std::vector<Vec3> positions;  // the first frame's vertices, in map units around the entity
    std::vector<std::array<AliasCorner, 3>> triangles;
};

struct AliasModelRead {
    std::optional<AliasModel> model;
    std::string failure; // why the bytes are no model
};

// Reads an alias model from its bytes. Every count, size and index taken from the file is
// checked against the file before it is used; a file that does not hold all its skins and
// frames, or a triangle that names a vertex the model does not have, is refused.
AliasModelRead ReadAliasModel(std::string_view bytes);

} // namespace vorn
