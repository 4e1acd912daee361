#pragma once

#include <string_view>

namespace vorn {

// Where internal consistency findings go: never shown to the user as a dialog.
class DebugOutput {
public:
    virtual ~DebugOutput() = default;
    virtual void debugOutput(std::string_view text) = 0;
    // Whether what is written goes anywhere: findings that take work to find or to word are
    // looked for only when it does.
    virtual bool shown() const { return true; }
};

// For callers that have no use for the findings (benchmarks, command-line tools).
class NullDebugOutput final : public DebugOutput {
public:
    void debugOutput(std::string_view) override {}
    bool shown() const override { return false; }
};

} // namespace vorn
