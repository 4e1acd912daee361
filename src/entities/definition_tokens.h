#pragma once

#include <cstddef>
#include <string_view>

namespace vorn {

// A token of a definition file: a word (names, types, numbers), a quoted text (without its
// quotes), one of the marks @ ( ) [ ] { } = : , , or the end. An unclosed quote is a token of its
// own, so that the reader can say where it began.
struct DefinitionToken {
    enum class Kind { Word, Quoted, Mark, Unclosed, End };
    Kind kind = Kind::End;
    std::string_view text;
    int line = 0;
    size_t begin = 0; // where the token starts in the text, its quote included
    size_t end = 0;   // just past it

    bool is(char mark) const { return kind == Kind::Mark && text.size() == 1 && text[0] == mark; }
};

// Splits a definition file's text into tokens. Blanks separate them, and "//" comments out the
// rest of a line outside quotes. Reads only within the text.
class DefinitionTokens {
public:
    explicit DefinitionTokens(std::string_view text) : text_(text) {}

    DefinitionToken next();
    DefinitionToken peek();
    std::string_view text() const { return text_; }

private:
    void skipBlanksAndComments();

    std::string_view text_;
    size_t pos_ = 0;
    int line_ = 1;
};

} // namespace vorn
