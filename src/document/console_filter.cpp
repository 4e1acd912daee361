#include "document/console_filter.h"

namespace vorn {
namespace {

constexpr char kEscape = '\x1b';
constexpr char kBell = '\a';

bool isShown(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return c == '\n' || c == '\t' || (u >= 0x20 && u != 0x7f);
}

} // namespace

std::string ConsoleFilter::feed(std::string_view chunk)
{
    std::string out;
    out.reserve(chunk.size());
    for (const char c : chunk) take(c, out);
    return out;
}

void ConsoleFilter::take(char c, std::string& out)
{
    switch (state_) {
    case State::CarriageReturn:
        if (c == '\r') return; // "\r\r\n" ends a line too
        state_ = State::Text;
        if (c != '\n') out += '\r';
        take(c, out);
        return;
    case State::Escape:
        // ESC [ starts a control sequence, ESC ] an operating system command; any other
        // character completes a two-character escape.
        state_ = c == '[' ? State::Csi : c == ']' ? State::Osc : State::Text;
        return;
    case State::Csi:
        if (c >= 0x40 && c <= 0x7e) state_ = State::Text;
        return;
    case State::Osc:
        if (c == kBell) state_ = State::Text;
        if (c == kEscape) state_ = State::OscEscape;
        return;
    case State::OscEscape:
        state_ = c == '\\' ? State::Text : State::Osc;
        return;
    case State::Text:
        if (c == kEscape) {
            state_ = State::Escape;
        } else if (c == '\r') {
            state_ = State::CarriageReturn;
        } else if (isShown(c)) {
            out += c;
        }
        return;
    }
}

} // namespace vorn
