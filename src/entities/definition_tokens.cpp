#include "entities/definition_tokens.h"

#include <algorithm>

namespace vorn {
namespace {

constexpr std::string_view kMarks = "@()[]{}=:,";

bool isBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

} // namespace

void DefinitionTokens::skipBlanksAndComments()
{
    while (pos_ < text_.size()) {
        const char c = text_[pos_];
        if (c == '\n') ++line_;
        if (isBlank(c)) {
            ++pos_;
        } else if (text_.substr(pos_, 2) == "//") {
            pos_ = std::min(text_.find('\n', pos_), text_.size());
        } else {
            return;
        }
    }
}

DefinitionToken DefinitionTokens::next()
{
    skipBlanksAndComments();
    DefinitionToken token;
    token.line = line_;
    token.begin = pos_;
    if (pos_ >= text_.size()) {
        token.end = pos_;
        return token;
    }
    const char c = text_[pos_];
    if (c == '"') {
        const size_t close = text_.find('"', pos_ + 1);
        if (close == std::string_view::npos) {
            token.kind = DefinitionToken::Kind::Unclosed;
            token.text = text_.substr(pos_ + 1);
            pos_ = text_.size();
        } else {
            token.kind = DefinitionToken::Kind::Quoted;
            token.text = text_.substr(pos_ + 1, close - pos_ - 1);
            line_ += static_cast<int>(std::ranges::count(token.text, '\n'));
            pos_ = close + 1;
        }
    } else if (kMarks.find(c) != std::string_view::npos) {
        token.kind = DefinitionToken::Kind::Mark;
        token.text = text_.substr(pos_, 1);
        ++pos_;
    } else {
        size_t end = pos_;
        while (end < text_.size() && !isBlank(text_[end]) && text_[end] != '"' && kMarks.find(text_[end]) == std::string_view::npos &&
               text_.substr(end, 2) != "//") {
            ++end;
        }
        token.kind = DefinitionToken::Kind::Word;
        token.text = text_.substr(pos_, end - pos_);
        pos_ = end;
    }
    token.end = pos_;
    return token;
}

DefinitionToken DefinitionTokens::peek()
{
    const size_t pos = pos_;
    const int line = line_;
    DefinitionToken token = next();
    pos_ = pos;
    line_ = line;
    return token;
}

} // namespace vorn
