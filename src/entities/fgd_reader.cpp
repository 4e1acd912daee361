#include "entities/fgd_reader.h"

#include "entities/fgd_declarations.h"
#include "map/ignoring_case.h"

#include <algorithm>
#include <unordered_map>

namespace vorn {
namespace {

// What a class without a colour of its own or from its bases is drawn in.
constexpr Vec3 kNoColour{0.6f, 0.6f, 0.6f};
// The box of a point class without a size.
constexpr FgdDeclaration::Box kPointBox{{-8, -8, -8}, {8, 8, 8}};
// Bases nested deeper than this are taken for a mistake (and keep a hostile file from
// exhausting the stack).
constexpr int kMostNesting = 64;

// A class's attributes, keys and flags once its bases are applied.
struct Inherited {
    std::optional<FgdDeclaration::Box> size;
    std::optional<Vec3> color;
    std::optional<EntityModelReference> model;
    std::vector<EntityProperty> properties;
    std::vector<EntityFlag> flags;
};

// Lays `from` over `to`: what it sets wins, a key it redefines keeps its place.
template <typename Source>
void layOver(Inherited& to, const Source& from)
{
    if (from.size) to.size = from.size;
    if (from.color) to.color = from.color;
    if (from.model) to.model = from.model;
    for (const EntityProperty& property : from.properties) {
        const auto same = std::ranges::find(to.properties, property.key, &EntityProperty::key);
        if (same == to.properties.end()) {
            to.properties.push_back(property);
        } else {
            *same = property;
        }
    }
    for (const EntityFlag& flag : from.flags) {
        const auto place = std::ranges::lower_bound(to.flags, flag.bit, {}, &EntityFlag::bit);
        if (place != to.flags.end() && place->bit == flag.bit) {
            *place = flag;
        } else {
            to.flags.insert(place, flag);
        }
    }
}

std::string lowered(std::string_view name)
{
    std::string out(name);
    for (char& c : out) c = LowerAscii(c);
    return out;
}

std::vector<std::string> lines(std::string_view text)
{
    std::vector<std::string> out;
    if (text.empty()) return out;
    for (size_t start = 0;;) {
        const size_t end = text.find('\n', start);
        std::string_view line = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (line.ends_with('\r')) line.remove_suffix(1);
        out.emplace_back(line);
        if (end == std::string_view::npos) return out;
        start = end + 1;
    }
}

// Applies the bases of every declaration, each once. A base name is matched exactly, else
// ignoring case (a class "light" may have a base "Light"); the last declaration of a name counts.
class Inheritance {
public:
    explicit Inheritance(const std::vector<FgdDeclaration>& declarations)
        : declarations_(declarations), resolved_(declarations.size()), states_(declarations.size(), State::New)
    {
        for (size_t i = 0; i < declarations.size(); ++i) {
            byName_[declarations[i].name] = i;
            byLoweredName_[lowered(declarations[i].name)] = i;
        }
    }

    const Inherited& of(size_t index, int depth = 0)
    {
        const FgdDeclaration& declaration = declarations_[index];
        if (states_[index] == State::Done) return resolved_[index];
        if (states_[index] == State::Resolving) {
            note(declaration.line, "the base classes of " + declaration.name + " lead back to it");
            return resolved_[index];
        }
        if (depth > kMostNesting) {
            note(declaration.line, "the base classes of " + declaration.name + " nest too deep");
            return resolved_[index];
        }
        states_[index] = State::Resolving;
        Inherited result;
        for (const std::string& base : declaration.bases) {
            const std::optional<size_t> found = find(base);
            if (!found) {
                note(declaration.line, "the base class " + base + " of " + declaration.name + " is not defined");
                continue;
            }
            layOver(result, of(*found, depth + 1));
        }
        layOver(result, declaration);
        resolved_[index] = std::move(result);
        states_[index] = State::Done;
        return resolved_[index];
    }

    std::optional<DefinitionProblem> problem;

private:
    enum class State { New, Resolving, Done };

    std::optional<size_t> find(const std::string& name) const
    {
        if (const auto exact = byName_.find(name); exact != byName_.end()) return exact->second;
        if (const auto loose = byLoweredName_.find(lowered(name)); loose != byLoweredName_.end()) return loose->second;
        return std::nullopt;
    }

    void note(int line, std::string text)
    {
        if (!problem || line < problem->line) problem = DefinitionProblem{line, std::move(text)};
    }

    const std::vector<FgdDeclaration>& declarations_;
    std::vector<Inherited> resolved_;
    std::vector<State> states_;
    std::unordered_map<std::string, size_t> byName_;
    std::unordered_map<std::string, size_t> byLoweredName_;
};

EntityDefinition definitionOf(const FgdDeclaration& declaration, Inherited inherited)
{
    EntityDefinition out;
    out.name = declaration.name;
    const auto component = [](float c) { return c / 255.0f; };
    out.color = inherited.color ? Vec3{component(inherited.color->x), component(inherited.color->y), component(inherited.color->z)}
                                : kNoColour;
    out.fixedSize = declaration.kind == FgdDeclaration::Kind::Point;
    if (out.fixedSize) {
        const FgdDeclaration::Box box = inherited.size.value_or(kPointBox);
        out.mins = box.mins;
        out.maxs = box.maxs;
    }
    out.flags = std::move(inherited.flags);
    out.help = lines(declaration.description);
    out.typed = true;
    out.properties = std::move(inherited.properties);
    if (inherited.model) out.model = std::move(*inherited.model);
    return out;
}

} // namespace

DefinitionRead ReadFgd(std::string_view text)
{
    const FgdDeclarations read = ReadFgdDeclarations(text);
    Inheritance inheritance(read.declarations);
    DefinitionRead out;
    for (size_t i = 0; i < read.declarations.size(); ++i) {
        const FgdDeclaration& declaration = read.declarations[i];
        if (declaration.kind == FgdDeclaration::Kind::Base) continue;
        out.classes.push_back(definitionOf(declaration, inheritance.of(i)));
    }
    out.problem = read.problem;
    if (inheritance.problem && (!out.problem || inheritance.problem->line < out.problem->line)) out.problem = inheritance.problem;
    return out;
}

} // namespace vorn
