#pragma once

#include <span>
#include <string>

namespace vorn {

class Host;

// vornc entities: the classes of the entity lists and definition files, read in order as the
// editor reads its entity list setting, one line each sorted by name (name, "point" or "solid",
// the box or "-", the model or "-"), then their count. What could not be read goes to the host.
// 0 when every file was read whole.
int ListEntityClasses(std::span<const std::string> files, Host& host);

} // namespace vorn
