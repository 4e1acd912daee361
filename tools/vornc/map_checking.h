#pragma once

#include <span>
#include <string>

namespace vorn {

class Editor;

// vornc check: reads the map as the editor opens it, with the classes of the entity list the
// options name, and prints each problem the editor's Problems panel lists as "<id>: <message>",
// then "problems: <n>" (information is printed but not counted). With a QBSP program the map is
// also tested for a leak. 0 when there is no problem, 1 when there are, 2 for wrong arguments.
int CheckMapCommand(Editor& editor, std::span<const std::string> arguments);

} // namespace vorn
