#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vorn {

// Reads a text held in memory one byte at a time, never looking back, and counts its lines
// so that callers can say where a file went wrong.
class TextCursor {
public:
    explicit TextCursor(std::string_view text) : text_(text) {}
    explicit TextCursor(const char* text) : text_(text) {}
    // The cursor only views its text: a temporary string would be gone before the reading.
    explicit TextCursor(std::string&&) = delete;

    bool atEnd() const { return pos_ >= text_.size(); }
    // The next byte, consumed; -1 at the end.
    int get()
    {
        if (pos_ >= text_.size()) return -1;
        const char c = text_[pos_++];
        if (c == '\n') ++line_;
        return static_cast<unsigned char>(c);
    }
    size_t position() const { return pos_; }
    size_t size() const { return text_.size(); }
    // 1-based number of the line the next byte is on.
    int line() const { return line_; }
    // The bytes from `from` up to the current position.
    std::string_view since(size_t from) const { return text_.substr(from, pos_ - from); }
    // The bytes not read yet, for readers that scan ahead.
    std::string_view rest() const { return text_.substr(pos_); }
    // Consumes `count` bytes that hold `lineFeeds` line feeds.
    void skip(size_t count, int lineFeeds)
    {
        pos_ += count;
        line_ += lineFeeds;
    }
    // Consumes the next `count` bytes, counting their line feeds.
    void advance(size_t count);

private:
    std::string_view text_;
    size_t pos_ = 0;
    int line_ = 1;
};

// Bytes at or below 32 taken as signed, so also every byte from 128 to 255.
inline bool IsBlank(int byte) { return static_cast<signed char>(byte) <= 32; }

// The next run of non-blank bytes. A "/" where a token would begin comments out the rest of
// its line. Empty at the end of input, and also when the input ends inside the token.
std::string_view nextToken(TextCursor& in);

// A token read as a number: its text, and its value when it is one (see ParseNumber).
struct NumberToken {
    std::string_view text;
    std::optional<double> value;
};

// nextToken and ParseNumber in one: a plain decimal, as most numbers of a map are, is read while
// its token is found.
NumberToken NextNumber(TextCursor& in);

// The line that `token`, the token just read, is on: the line feed that ended it is already counted.
inline int LineOfTokenRead(const TextCursor& in, std::string_view token)
{
    return in.line() - (!token.empty() && token.data()[token.size()] == '\n' ? 1 : 0);
}

// The next non-blank byte outside comments, consumed; 0 at the end of input.
char NextNonBlank(TextCursor& in);

// After an opening double quote was consumed: that quote and every byte up to and including
// the next double quote. Empty when the input ends first.
std::string_view ReadQuoted(TextCursor& in);

// Consumes bytes up to and including the next line feed, or to the end of input.
void SkipLine(TextCursor& in);

// Leading optional sign and decimal digits; 0 when the text does not begin with a number.
// Values beyond the 32-bit range are clamped.
int ParseInt(std::string_view text);

// Leading optional sign, digits, fraction and exponent, read to the nearest double; 0 when there
// is no number. Magnitudes beyond the single-precision range are clamped to it.
double ParseFloat(std::string_view text);

// The whole text as a decimal number (optional sign, digits, fraction, exponent) read to the
// nearest double; none when the text is anything else or its value lies beyond a double's range,
// as "nan", "inf", "0x10" or "1e400" do.
std::optional<double> ParseNumber(std::string_view text);

} // namespace vorn
