#include "document/entity_commands.h"
#include "document/selection_edits.h"
#include "editor/editor.h"
#include "entities/bundled_entity_list.h"
#include "entities/entity_properties_form.h"
#include "document/no_dialogs.h"
#include "platform/null_host.h"

#include <benchmark/benchmark.h>

using namespace vorn;

namespace {

// Entity Properties confirmed as it opens.
class ConfirmingDialogs : public NoDialogs {
public:
    std::optional<EntityPropertiesResult> entityProperties(const CQEntity& entity, const EntityClassList& classes) override
    {
        return EntityPropertiesForm(entity, classes).ok();
    }
};

CQEntity light()
{
    CQEntity e;
    for (const auto& [key, value] : {std::pair{"classname", "light"}, {"origin", "256 -128 96"}, {"light", "250"},
                                     {"style", "1"}, {"targetname", "lamp1"}, {"_color", "1 0.8 0.6"}, {"spawnflags", "1"}}) {
        e.SetValue(Quoted(key), Quoted(value));
    }
    return e;
}

} // namespace

// One open of Entity Properties on a light and its OK, with the bundled classes: the sorted class
// list, the form, the result and giving it to the entity.
static void BM_EntityPropertiesOpenAndOk(benchmark::State& state)
{
    EntityClassList classes;
    classes.loadText(BundledEntityList());
    NullDebugOutput log;
    const CQEntity entity = light();
    for (auto _ : state) {
        benchmark::DoNotOptimize(EntityPropertiesForm::ClassNames(classes));
        const EntityPropertiesForm form(entity, classes);
        CQEntity edited = entity;
        ApplyEntityProperties(edited, form.ok(), log);
        benchmark::DoNotOptimize(edited);
    }
}
BENCHMARK(BM_EntityPropertiesOpenAndOk);

// The whole Properties command confirmed on a brush entity of N brushes: OK copies the entity back.
static void BM_PropertiesCommandOnABrushEntity(benchmark::State& state)
{
    NullHost host;
    ConfirmingDialogs dialogs;
    Editor editor(host, dialogs);
    editor.classes().loadText(BundledEntityList());
    CQBrush brush;
    brush.MakeBox({0, 0, 0}, {32, 32, 32}, "WALL", host);
    AddNewBrush(editor.map(), brush);
    CQEntity door;
    door.SetValue("\"classname\"", "\"func_wall\"");
    for (int i = 0; i < state.range(0); ++i) {
        const auto x = static_cast<float>(i % 100) * 40;
        const auto y = static_cast<float>(i / 100) * 40;
        brush.MakeBox({x, y, 64}, {x + 32, y + 32, 96}, "WALL", host);
        door.AddBrush(brush);
    }
    MapChange change(editor.map(), "Add Door");
    editor.map().SetCurrentEntityByIndex(change.addEntity(std::move(door)));
    change.commit();
    for (auto _ : state) {
        ShowEntityProperties(editor.map(), dialogs, editor.classes(), host);
        // Undone again, so that the history holds one copy of the entity, not one per run.
        state.PauseTiming();
        editor.map().Undo();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PropertiesCommandOnABrushEntity)->Arg(100)->Arg(5000)->Unit(benchmark::kMillisecond);
