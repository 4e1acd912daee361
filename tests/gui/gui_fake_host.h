#pragma once

#include "platform/null_host.h"

#include <functional>
#include <string>
#include <vector>

namespace vorn::test {

// A host for GUI tests that records messages and debug output and answers nothing.
class GuiFakeHost : public NullHost {
public:
    void messageBox(std::string_view text) override { messages.emplace_back(text); }
    SaveAnswer askSaveChanges(std::string_view) override { return SaveAnswer::No; }
    void debugOutput(std::string_view text) override
    {
        debug.emplace_back(text);
        if (onDebugOutput) onDebugOutput();
    }

    std::vector<std::string> messages;
    std::vector<std::string> debug;
    std::function<void()> onDebugOutput; // runs inside each debug report
};

} // namespace vorn::test
