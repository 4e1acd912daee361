#include "entities/fgd_declarations.h"

#include "entities/definition_tokens.h"
#include "entities/model_reference.h"
#include "map/ignoring_case.h"
#include "map/text_reader.h"

#include <bit>
#include <cstdint>

namespace vorn {
namespace {

using Kind = DefinitionToken::Kind;

std::string lower(std::string_view text)
{
    std::string out(text);
    for (char& c : out) c = LowerAscii(c);
    return out;
}

std::string describe(const DefinitionToken& token)
{
    switch (token.kind) {
    case Kind::End: return "the end of the file";
    case Kind::Quoted: return "a quoted text";
    default: return "\"" + std::string(token.text) + "\"";
    }
}

// The flag's bit when the value is a single one, as a flag's must be.
std::optional<int> flagBit(std::string_view value)
{
    const std::optional<double> number = ParseNumber(value);
    if (!number || *number < 1 || *number > 2147483648.0) return std::nullopt;
    const auto bits = static_cast<std::uint64_t>(*number);
    if (static_cast<double>(bits) != *number || !std::has_single_bit(bits)) return std::nullopt;
    return std::countr_zero(bits);
}

class Parser {
public:
    explicit Parser(std::string_view text) : tokens_(text) {}

    FgdDeclarations read()
    {
        FgdDeclarations out;
        while (tokens_.peek().kind != Kind::End) {
            FgdDeclaration declaration;
            if (!readDeclaration(declaration)) break;
            out.declarations.push_back(std::move(declaration));
        }
        out.problem = std::move(problem_);
        return out;
    }

private:
    bool fail(const DefinitionToken& at, std::string text)
    {
        if (at.kind == Kind::Unclosed) text = "a quoted text is not closed";
        problem_ = DefinitionProblem{at.line, std::move(text)};
        return false;
    }

    bool expectMark(char mark, std::string_view what)
    {
        const DefinitionToken token = tokens_.next();
        if (token.is(mark)) return true;
        return fail(token, "expected " + std::string(what) + ", found " + describe(token));
    }

    // A quoted text, and the ones joined to it by "+".
    std::optional<std::string> quoted()
    {
        DefinitionToken token = tokens_.next();
        if (token.kind != Kind::Quoted) return fail(token, "expected a quoted text, found " + describe(token)), std::nullopt;
        std::string text(token.text);
        while (tokens_.peek().kind == Kind::Word && tokens_.peek().text == "+") {
            tokens_.next();
            token = tokens_.next();
            if (token.kind != Kind::Quoted) return fail(token, "expected a quoted text after +, found " + describe(token)), std::nullopt;
            text += token.text;
        }
        return text;
    }

    // A value written quoted or as a word.
    std::optional<std::string> value()
    {
        if (tokens_.peek().kind == Kind::Quoted) return quoted();
        const DefinitionToken token = tokens_.next();
        if (token.kind == Kind::Word) return std::string(token.text);
        return fail(token, "expected a value, found " + describe(token)), std::nullopt;
    }

    bool readDeclaration(FgdDeclaration& out)
    {
        const DefinitionToken at = tokens_.next();
        if (!at.is('@')) return fail(at, "expected a class declaration beginning with @, found " + describe(at));
        const DefinitionToken type = tokens_.next();
        const std::string kind = lower(type.text);
        out.line = type.line;
        if (type.kind == Kind::Word && kind == "baseclass") {
            out.kind = FgdDeclaration::Kind::Base;
        } else if (type.kind == Kind::Word && kind == "pointclass") {
            out.kind = FgdDeclaration::Kind::Point;
        } else if (type.kind == Kind::Word && kind == "solidclass") {
            out.kind = FgdDeclaration::Kind::Solid;
        } else {
            return fail(type, "unknown declaration @" + std::string(type.text));
        }
        for (DefinitionToken token = tokens_.next(); !token.is('='); token = tokens_.next()) {
            if (token.kind != Kind::Word) return fail(token, "expected = and the class name, found " + describe(token));
            if (!readAttribute(out, token)) return false;
        }
        const DefinitionToken name = tokens_.next();
        if (name.kind != Kind::Word) return fail(name, "expected the class name, found " + describe(name));
        out.name = name.text;
        if (tokens_.peek().is(':')) {
            tokens_.next();
            const auto description = quoted();
            if (!description) return false;
            out.description = *description;
        }
        if (!tokens_.peek().is('[')) return true;
        const DefinitionToken open = tokens_.next();
        for (DefinitionToken token = tokens_.next(); !token.is(']'); token = tokens_.next()) {
            if (token.kind == Kind::End) return fail(open, "the key list of " + out.name + " is not closed");
            if (token.kind != Kind::Word) return fail(token, "expected a key name, found " + describe(token));
            if (!readProperty(out, token)) return false;
        }
        return true;
    }

    // The tokens of an attribute's parentheses, the opening one read; nested ones are kept.
    std::optional<std::vector<DefinitionToken>> arguments(const DefinitionToken& name)
    {
        std::vector<DefinitionToken> inside;
        int depth = 1;
        for (DefinitionToken token = tokens_.next();; token = tokens_.next()) {
            if (token.kind == Kind::End || token.kind == Kind::Unclosed) {
                return fail(token.kind == Kind::End ? name : token, "the parentheses of " + std::string(name.text) + " are not closed"),
                       std::nullopt;
            }
            if (token.is('(')) ++depth;
            if (token.is(')') && --depth == 0) return inside;
            inside.push_back(token);
        }
    }

    // Three numbers, or six, separated by blanks or commas.
    static std::optional<std::vector<float>> numbers(const std::vector<DefinitionToken>& tokens)
    {
        std::vector<float> out;
        for (const DefinitionToken& token : tokens) {
            if (token.is(',')) continue;
            const std::optional<double> number = ParseNumber(token.text);
            if (token.kind != Kind::Word || !number) return std::nullopt;
            out.push_back(static_cast<float>(*number));
        }
        return out;
    }

    bool readAttribute(FgdDeclaration& out, const DefinitionToken& name)
    {
        // An attribute without arguments (a flag of other tools' own) says nothing here.
        if (!tokens_.peek().is('(')) return true;
        const DefinitionToken open = tokens_.next();
        const auto inside = arguments(name);
        if (!inside) return false;
        const std::string attribute = lower(name.text);
        if (attribute == "base") {
            for (const DefinitionToken& token : *inside) {
                if (token.is(',')) continue;
                if (token.kind != Kind::Word) return fail(token, "expected a base class name, found " + describe(token));
                out.bases.emplace_back(token.text);
            }
        } else if (attribute == "size") {
            const auto values = numbers(*inside);
            if (!values || (values->size() != 3 && values->size() != 6)) {
                return fail(name, "size takes one or two points of three numbers");
            }
            const Vec3 first{(*values)[0], (*values)[1], (*values)[2]};
            // A single point is the box's size, centred on the entity.
            out.size = values->size() == 3 ? FgdDeclaration::Box{first * -0.5f, first * 0.5f}
                                           : FgdDeclaration::Box{first, {(*values)[3], (*values)[4], (*values)[5]}};
        } else if (attribute == "color") {
            const auto values = numbers(*inside);
            if (!values || values->size() != 3) return fail(name, "color takes three numbers");
            out.color = Vec3{(*values)[0], (*values)[1], (*values)[2]};
        } else if (attribute == "model") {
            const size_t from = open.end;
            const size_t to = inside->empty() ? from : inside->back().end;
            out.model = ParseModelReference(tokens_.text().substr(from, to - from));
        }
        return true;
    }

    bool readProperty(FgdDeclaration& out, const DefinitionToken& name)
    {
        EntityProperty property;
        property.key = name.text;
        if (!expectMark('(', "the type of " + property.key + " in parentheses")) return false;
        const DefinitionToken type = tokens_.next();
        if (type.kind != Kind::Word) return fail(type, "expected the type of " + property.key + ", found " + describe(type));
        property.type = lower(type.text);
        if (!expectMark(')', "a closing parenthesis after the type of " + property.key)) return false;
        const DefinitionToken modifier = tokens_.peek();
        if (modifier.kind == Kind::Word && (lower(modifier.text) == "readonly" || lower(modifier.text) == "report")) tokens_.next();

        // ": label : default : help", each part optional but for the colons before it.
        std::string* parts[] = {&property.label, &property.defaultValue, &property.help};
        for (std::string* part : parts) {
            if (!tokens_.peek().is(':')) break;
            tokens_.next();
            const DefinitionToken next = tokens_.peek();
            if (next.is(':') || next.is('=') || next.is(']')) continue;
            const auto text = value();
            if (!text) return false;
            *part = *text;
        }

        const bool spawnflags = property.type == "flags" && property.key == "spawnflags";
        if (tokens_.peek().is('=')) {
            tokens_.next();
            if (!readRows(property, spawnflags ? &out.flags : nullptr)) return false;
        }
        if (!spawnflags) out.properties.push_back(std::move(property));
        return true;
    }

    // The [ value : "label" ... ] rows of choices or flags. Flag rows may add a default (1: on)
    // and help; a flag whose value is not a single bit cannot be a box and is left out.
    bool readRows(EntityProperty& property, std::vector<EntityFlag>* flags)
    {
        const DefinitionToken open = tokens_.next();
        if (!open.is('[')) return fail(open, "expected the rows of " + property.key + " in brackets, found " + describe(open));
        for (DefinitionToken first = tokens_.peek(); !first.is(']'); first = tokens_.peek()) {
            if (first.kind == Kind::End) return fail(open, "the rows of " + property.key + " are not closed");
            const auto rowValue = value();
            if (!rowValue || !expectMark(':', "a colon after the value " + *rowValue)) return false;
            const auto label = value();
            if (!label) return false;
            std::string parts[2];
            for (std::string& part : parts) {
                if (!tokens_.peek().is(':')) break;
                tokens_.next();
                const auto text = value();
                if (!text) return false;
                part = *text;
            }
            if (!flags) {
                property.choices.push_back({*rowValue, *label});
            } else if (const auto bit = flagBit(*rowValue)) {
                flags->push_back({*bit, *label, ParseNumber(parts[0]).value_or(0) != 0, parts[1]});
            }
        }
        tokens_.next();
        return true;
    }

    DefinitionTokens tokens_;
    std::optional<DefinitionProblem> problem_;
};

} // namespace

FgdDeclarations ReadFgdDeclarations(std::string_view text)
{
    return Parser(text).read();
}

} // namespace vorn
