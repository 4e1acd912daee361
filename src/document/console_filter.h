#pragma once

#include <string>
#include <string_view>

namespace vorn {

// Turns a tool's output, chunk by chunk, into what a plain text pane can show: colour and cursor
// escape sequences and other control characters are dropped, "\r\n" becomes "\n", and a lone
// "\r" (a progress line written over itself) is kept to mean "start this line again". A sequence
// split between chunks is handled as a whole.
class ConsoleFilter {
public:
    std::string feed(std::string_view chunk);

private:
    enum class State { Text, Escape, Csi, Osc, OscEscape, CarriageReturn };
    void take(char c, std::string& out);

    State state_ = State::Text;
};

} // namespace vorn
