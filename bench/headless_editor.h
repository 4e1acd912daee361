#pragma once

#include "document/no_dialogs.h"
#include "editor/editor.h"
#include "platform/null_host.h"

namespace vorn::bench {

// An editor with no window, whose host and dialogs do nothing: the base of the benchmarks' maps.
struct HeadlessEditor {
    NullHost host;
    NoDialogs dialogs;
    Editor editor{host, dialogs};
};

} // namespace vorn::bench
