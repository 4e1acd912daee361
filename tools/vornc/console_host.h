#pragma once

#include "platform/null_host.h"

#include <cstdio>

namespace vorn {

// Messages go to the standard error stream; nothing is asked and nothing is shown.
class ConsoleHost final : public NullHost {
public:
    void messageBox(std::string_view text) override
    {
        std::fprintf(stderr, "vornc: %.*s\n", static_cast<int>(text.size()), text.data());
    }
};

} // namespace vorn
