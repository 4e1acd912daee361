#pragma once

#include "document/map_problems.h"

#include <optional>
#include <string>
#include <unordered_set>

namespace vorn {

class Editor;

// The lower-case names of the textures in the archives the editor holds for the map; none when
// the map names no archive that could be read.
std::optional<std::unordered_set<std::string>> ArchiveTextureNames(Editor& editor);

// Every problem of the editor's map, against its classes and archives.
std::vector<Problem> CheckEditorMap(Editor& editor);

} // namespace vorn
