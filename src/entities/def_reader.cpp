#include "entities/def_reader.h"

#include "entities/definition_tokens.h"
#include "entities/model_reference.h"
#include "map/text_reader.h"

#include <algorithm>

namespace vorn {
namespace {

constexpr std::string_view kStart = "/*QUAKED";
constexpr std::string_view kEnd = "*/";
constexpr std::string_view kBlanks = " \t\r\n";

int lineFeeds(std::string_view text) { return static_cast<int>(std::ranges::count(text, '\n')); }

// The first line's words, with each parenthesis a word of its own.
std::vector<std::string_view> headerWords(std::string_view header)
{
    std::vector<std::string_view> words;
    size_t start = std::string_view::npos;
    for (size_t i = 0; i <= header.size(); ++i) {
        const bool end = i == header.size();
        const char c = end ? ' ' : header[i];
        const bool blank = static_cast<unsigned char>(c) <= ' ';
        if ((blank || c == '(' || c == ')') && start != std::string_view::npos) {
            words.push_back(header.substr(start, i - start));
            start = std::string_view::npos;
        }
        if (c == '(' || c == ')') {
            words.push_back(header.substr(i, 1));
        } else if (!blank && start == std::string_view::npos) {
            start = i;
        }
    }
    return words;
}

// "( x y z )" at `at`, moving past it.
std::optional<Vec3> triple(const std::vector<std::string_view>& words, size_t& at)
{
    if (at + 5 > words.size() || words[at] != "(" || words[at + 4] != ")") return std::nullopt;
    Vec3 v;
    for (int axis = 0; axis < 3; ++axis) {
        const std::optional<double> number = ParseNumber(words[at + 1 + static_cast<size_t>(axis)]);
        if (!number) return std::nullopt;
        v[axis] = static_cast<float>(*number);
    }
    at += 5;
    return v;
}

// Where the { block opened at `open` closes (quoted text skipped), or none.
std::optional<size_t> blockEnd(std::string_view text, size_t open)
{
    int depth = 0;
    for (size_t i = open; i < text.size(); ++i) {
        if (text[i] == '"') {
            i = text.find('"', i + 1);
            if (i == std::string_view::npos) return std::nullopt;
        } else if (text[i] == '{') {
            ++depth;
        } else if (text[i] == '}' && --depth == 0) {
            return i;
        }
    }
    return std::nullopt;
}

// The model(...) of a block's statements; no path when there is none.
EntityModelReference blockModel(std::string_view block)
{
    DefinitionTokens tokens(block);
    for (DefinitionToken token = tokens.next(); token.kind != DefinitionToken::Kind::End; token = tokens.next()) {
        if (token.kind != DefinitionToken::Kind::Word || token.text != "model" || !tokens.peek().is('(')) continue;
        const size_t from = tokens.next().end;
        int depth = 1;
        for (DefinitionToken inner = tokens.next(); inner.kind != DefinitionToken::Kind::End; inner = tokens.next()) {
            if (inner.is('(')) ++depth;
            if (inner.is(')') && --depth == 0) return ParseModelReference(block.substr(from, inner.begin - from));
        }
        return {};
    }
    return {};
}

std::vector<std::string> helpLines(std::string_view text)
{
    std::vector<std::string> lines;
    for (size_t start = 0; start <= text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        line = line.substr(0, line.find_last_not_of(kBlanks) + 1);
        lines.emplace_back(line);
        start = end + 1;
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    const auto firstText = std::ranges::find_if(lines, [](const std::string& line) { return !line.empty(); });
    lines.erase(lines.begin(), firstText);
    return lines;
}

struct OneRead {
    std::optional<EntityDefinition> definition;
    DefinitionProblem problem;
};

// One comment's text after "/*QUAKED", which begins on `line`.
OneRead readOne(std::string_view body, int line)
{
    const size_t headerEnd = std::min(body.find('\n'), body.size());
    const std::vector<std::string_view> words = headerWords(body.substr(0, headerEnd));
    if (words.empty() || words[0] == "(" || words[0] == ")") return {std::nullopt, {line, "a definition without a class name"}};
    EntityDefinition out;
    out.name = words[0];
    size_t at = 1;
    const auto colour = triple(words, at);
    if (!colour) return {std::nullopt, {line, "the colour of " + out.name + " is not three numbers in parentheses"}};
    out.color = *colour;
    if (at < words.size() && words[at] == "?") {
        ++at;
    } else {
        const auto mins = triple(words, at);
        const auto maxs = mins ? triple(words, at) : std::nullopt;
        if (!maxs) return {std::nullopt, {line, "the box of " + out.name + " is neither two points in parentheses nor ?"}};
        out.fixedSize = true;
        out.mins = *mins;
        out.maxs = *maxs;
    }
    for (int bit = 0; at < words.size(); ++at, ++bit) out.flags.push_back({bit, std::string(words[at]), false, {}});

    std::string_view rest = body.substr(std::min(headerEnd + 1, body.size()));
    const size_t first = rest.find_first_not_of(kBlanks);
    if (first != std::string_view::npos && rest[first] == '{') {
        const auto close = blockEnd(rest, first);
        const int blockLine = line + 1 + lineFeeds(rest.substr(0, first));
        if (!close) return {std::nullopt, {blockLine, "the { block of " + out.name + " is not closed"}};
        out.model = blockModel(rest.substr(first + 1, *close - first - 1));
        rest.remove_prefix(*close + 1);
    }
    out.help = helpLines(rest);
    return {std::move(out), {}};
}

} // namespace

DefinitionRead ReadDef(std::string_view text)
{
    DefinitionRead out;
    int line = 1;
    size_t pos = 0;
    for (size_t start = text.find(kStart); start != std::string_view::npos; start = text.find(kStart, pos)) {
        line += lineFeeds(text.substr(pos, start - pos));
        const size_t bodyStart = start + kStart.size();
        const size_t close = text.find(kEnd, bodyStart);
        if (close == std::string_view::npos) {
            out.problem = DefinitionProblem{line, "the definition beginning here is not closed with */"};
            return out;
        }
        OneRead read = readOne(text.substr(bodyStart, close - bodyStart), line);
        if (!read.definition) {
            out.problem = std::move(read.problem);
            return out;
        }
        out.classes.push_back(std::move(*read.definition));
        pos = close + kEnd.size();
        line += lineFeeds(text.substr(start, pos - start));
    }
    return out;
}

} // namespace vorn
