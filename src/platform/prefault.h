#pragma once

#include <cstddef>

namespace vorn {

// Asks the system to back the memory of a large buffer that is about to be filled all at once,
// so that the filling does not stop at every new page. A request only: nothing happens where the
// system cannot do it, and the contents are unchanged.
void PrefaultForWriting(void* data, size_t size);

} // namespace vorn
