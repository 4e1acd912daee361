#include "document/map_problems.h"

#include "document/problem_checks.h"

#include <algorithm>
#include <array>

namespace vorn {
namespace {

struct KindText {
    std::string_view id;
    std::string_view title;
};

// By ProblemKind. The ids are kept in settings and scripts: they never change.
constexpr std::array<KindText, 15> kKinds{{
    {"no-player-start", "No player start"},
    {"several-player-starts", "Several player starts"},
    {"target-missing", "Targets naming nothing"},
    {"targetname-unused", "Names nobody targets"},
    {"empty-brush-entity", "Brush entities without brushes"},
    {"point-entity-with-brushes", "Point entities with brushes"},
    {"unknown-class", "Unknown classes"},
    {"entity-stuck", "Entities stuck in walls"},
    {"entity-in-void", "Entities in the void"},
    {"unbuilt-brush", "Brushes that are not solids"},
    {"duplicate-brush", "Duplicate brushes"},
    {"missing-texture", "Textures in no archive"},
    {"value-not-a-choice", "Values outside their choices"},
    {"beyond-limits", "Beyond the map's limits"},
    {"leak", "Leak"},
}};

const KindText& TextOf(ProblemKind kind) { return kKinds[static_cast<size_t>(kind)]; }

} // namespace

std::string_view ProblemId(ProblemKind kind) { return TextOf(kind).id; }
std::string_view ProblemTitle(ProblemKind kind) { return TextOf(kind).title; }
bool IsInformation(ProblemKind kind) { return kind == ProblemKind::TargetnameUnused; }

std::vector<Problem> CheckMap(std::span<const std::unique_ptr<CQEntity>> entities, const CheckContext& context)
{
    std::vector<Problem> problems;
    CheckPlayerStarts(entities, problems);
    CheckTargets(entities, problems);
    CheckClasses(entities, context.classes, problems);
    CheckPlacement(entities, problems);
    CheckBrushes(entities, context.textures, problems);
    CheckChoices(entities, context.classes, problems);
    CheckLimits(entities, problems);
    std::ranges::stable_sort(problems, {}, &Problem::kind);
    return problems;
}

std::unordered_set<std::string> LowerCaseNames(const std::vector<std::string>& names)
{
    std::unordered_set<std::string> lower;
    for (const std::string& name : names) lower.insert(LowerCase(name));
    return lower;
}

int CountProblems(std::span<const Problem> problems)
{
    return static_cast<int>(std::ranges::count_if(problems, [](const Problem& p) { return !IsInformation(p.kind); }));
}

} // namespace vorn
