#pragma once

#include "platform/debug_output.h"

#include <algorithm>
#include <string>
#include <vector>

namespace vorn::test {

// Keeps every debug text so that a test can ask what was reported.
class RecordingDebug : public DebugOutput {
public:
    void debugOutput(std::string_view text) override { lines.emplace_back(text); }
    int count(std::string_view text) const
    {
        return static_cast<int>(std::count(lines.begin(), lines.end(), text));
    }
    std::vector<std::string> lines;
};

} // namespace vorn::test
