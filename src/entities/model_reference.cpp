#include "entities/model_reference.h"

#include "entities/definition_tokens.h"

namespace vorn {
namespace {

std::string pathOf(std::string_view quoted)
{
    if (quoted.starts_with(':')) quoted.remove_prefix(1);
    return std::string(quoted);
}

std::string_view trimmed(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The "path" of a { "key": value, ... } object whose opening brace was read.
std::string objectPath(DefinitionTokens& tokens)
{
    for (DefinitionToken key = tokens.next(); key.kind == DefinitionToken::Kind::Quoted; key = tokens.next()) {
        if (!tokens.next().is(':')) return {};
        const DefinitionToken value = tokens.next();
        if (key.text == "path" && value.kind == DefinitionToken::Kind::Quoted) return pathOf(value.text);
        if (value.kind != DefinitionToken::Kind::Quoted && value.kind != DefinitionToken::Kind::Word) return {};
        if (!tokens.next().is(',')) return {};
    }
    return {};
}

} // namespace

EntityModelReference ParseModelReference(std::string_view text)
{
    EntityModelReference model;
    model.text = trimmed(text);
    DefinitionTokens tokens(model.text);
    const DefinitionToken first = tokens.next();
    if (first.kind == DefinitionToken::Kind::Quoted) {
        model.path = pathOf(first.text);
    } else if (first.is('{') && !tokens.peek().is('{')) {
        model.path = objectPath(tokens);
    }
    return model;
}

} // namespace vorn
