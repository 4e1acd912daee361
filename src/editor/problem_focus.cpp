#include "editor/problem_focus.h"

#include "editor/editor.h"
#include "geometry/numeric.h"
#include "platform/host.h"

#include <optional>

namespace vorn {
namespace {

// Selects the brush, or every brush of the entity, and gives the middle of what was selected.
std::optional<Vec3> SelectTarget(CQMap& map, const Problem& problem)
{
    if (problem.brush != 0) {
        const BrushLocation at = map.locate(problem.brush);
        if (!at.valid()) return std::nullopt;
        map.DeselectAll();
        map.selectBrush(at, true);
        return map.brush(at).Centre();
    }
    if (problem.entity < 0 || problem.entity >= map.EntityCount()) return std::nullopt;
    map.DeselectAll();
    map.SetCurrentEntityByIndex(problem.entity);
    const CQEntity& entity = map.entity(problem.entity);
    if (!entity.isWorld()) {
        for (int b = 0; b < entity.brushCount(); ++b) map.selectBrush({problem.entity, b}, true);
    }
    const std::string_view origin = entity.GetValue(kOriginKey);
    return origin.empty() ? entity.GetOrigin() : ParseVector(origin);
}

} // namespace

bool ShowProblem(Editor& editor, const Problem& problem, std::span<const Vec3> leakPath)
{
    std::optional<Vec3> middle;
    if (problem.kind == ProblemKind::Leak) {
        if (!leakPath.empty()) middle = leakPath.front();
    } else {
        middle = SelectTarget(editor.map(), problem);
    }
    if (!middle) return false;
    for (int i = 0; i < Editor::kViews2D; ++i) {
        CXYView& view = editor.view2D(i);
        view.centreOn(TruncateToInt((*middle)[view.axes().right]), TruncateToInt((*middle)[view.axes().up]));
    }
    editor.host().updateViews(ViewFlags::All);
    return true;
}

} // namespace vorn
