#include "document/entity_commands.h"

#include "document/dialogs.h"
#include "document/map_document.h"
#include "entities/entity_class.h"
#include "geometry/grid.h"
#include "platform/host.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

namespace vorn {
namespace {

const std::string kTargetKey = "\"target\"";
const std::string kTargetNameKey = "\"targetname\"";

bool isEmptyValue(std::string_view stored) { return Unquoted(stored).empty(); }

void editWorld(CQMap& map, Dialogs& dialogs)
{
    const auto result = dialogs.mapProperties(MapPropertiesForm::readWorld(map.entity(0)));
    if (!result) return;
    CQEntity edited;
    ApplyMapProperties(edited, *result);
    MapChange change(map, "Map Properties");
    change.setPairs(0, edited.pairs());
    change.commit();
}

// The edited entity comes back as current, last.
void editEntity(CQMap& map, Dialogs& dialogs, const EntityClassList& classes, Host& host)
{
    const int index = map.currentIndex();
    const auto result = dialogs.entityProperties(map.entity(index), classes);
    if (!result) return;
    CQEntity edited = map.entity(index);
    ApplyEntityProperties(edited, *result, host);
    MapChange change(map, "Entity Properties");
    change.removeEntity(index);
    change.setCurrentEntity(change.addEntity(std::move(edited)));
    change.commit();
}

// The selected world brushes when they may go into a new entity; none, with the user told why,
// when they may not.
std::optional<std::vector<BrushLocation>> brushesForNewEntity(const CQMap& map, Host& host)
{
    const CQEntity* world = map.GetCurrentEntity();
    if (!world) {
        host.messageBox("You must create a brush first!");
        return std::nullopt;
    }
    if (!world->isWorld()) {
        host.messageBox("That brush is already part of another entity");
        return std::nullopt;
    }
    std::vector<BrushLocation> selected = map.selectedBrushes();
    if (static_cast<int>(selected.size()) == world->brushCount()) {
        host.messageBox("You must leave at least one brush in\n the old entity when creating a new entity");
        return std::nullopt;
    }
    if (selected.empty()) return std::nullopt;
    return selected;
}

// The new entity takes the world's selected brushes, current and with them selected.
void addNewEntity(CQMap& map, const std::vector<BrushLocation>& selected, CQEntity made)
{
    MapChange change(map, "Make Entity");
    for (auto at = selected.rbegin(); at != selected.rend(); ++at) change.removeBrush(*at);
    const int index = change.addEntity(std::move(made));
    change.setCurrentEntity(index);
    for (int b = 0; b < map.entity(index).brushCount(); ++b) change.selectBrush({index, b}, true);
    change.commit();
}

// The next default target name, or nothing when every one has been used.
std::optional<std::string> nextTargetName(Host& host, int& targetCounter)
{
    const auto counter = static_cast<uint32_t>(targetCounter);
    if (counter == std::numeric_limits<uint32_t>::max()) {
        host.messageBox("You have used all 4,294,967,295 default\ntargetnames and must now think up your own");
        return std::nullopt;
    }
    targetCounter = static_cast<int>(counter + 1);
    return "t" + std::to_string(counter);
}

} // namespace

void ShowEntityProperties(CQMap& map, Dialogs& dialogs, const EntityClassList& classes, Host& host)
{
    const CQEntity* current = map.GetCurrentEntity();
    if (!current) {
        host.messageBox("There is no current entity!");
        return;
    }
    if (current->isWorld()) {
        editWorld(map, dialogs);
    } else {
        editEntity(map, dialogs, classes, host);
    }
}

void MakeIntoEntity(CQMap& map, Dialogs& dialogs, const EntityClassList& classes, Host& host)
{
    const auto selected = brushesForNewEntity(map, host);
    if (!selected) return;
    // The world keeps its brushes until OK, so Cancel leaves it exactly as it was.
    CQEntity made;
    for (const BrushLocation at : *selected) made.AddBrush(map.brush(at));
    const auto result = dialogs.entityProperties(made, classes);
    if (!result) return;
    ApplyEntityProperties(made, *result, host);
    addNewEntity(map, *selected, std::move(made));
}

void MakeIntoClass(CQMap& map, std::string_view className, Host& host)
{
    const auto selected = brushesForNewEntity(map, host);
    if (!selected) return;
    CQEntity made;
    made.SetValue("\"classname\"", Quoted(className));
    for (const BrushLocation at : *selected) made.AddBrush(map.brush(at));
    addNewEntity(map, *selected, std::move(made));
}

void PlacePointEntity(CQMap& map, const EntityClassList& classes, std::string_view className, Vec3 origin, Host& host)
{
    const std::optional<FixedBoxes::Box> box = classes.fixedBox(className);
    if (!box) return;
    if (map.EntityCount() == 0 || !map.entity(0).isWorld()) {
        host.messageBox("You must create a brush first!");
        return;
    }
    CQEntity placed;
    placed.SetValue("\"classname\"", Quoted(className));
    placed.SetValue(kOriginKey, Quoted(OriginText(origin)));
    placed.MakeFixedSizeBrush(*box, ParseVector(OriginText(origin)), host);
    placed.setModifiable(false);

    MapChange change(map, "Place Entity");
    const int index = change.addEntity(std::move(placed));
    change.setCurrentEntity(index);
    change.selectBrush({index, 0}, true);
    change.commit();
}

void CreateWorld(CQMap& map, Dialogs& dialogs, const std::string& wadForNewWorld)
{
    const auto result = dialogs.mapProperties(MapPropertiesForm::forNewWorld(wadForNewWorld));
    if (!result) return;
    MapChange change(map, "Create World");
    change.setCurrentEntity(change.addEntity(MakeWorld(*result)));
    change.commit();
}

void ConnectEntities(CQMap& map, Host& host, Vec3 start, Vec3 end, int& targetCounter)
{
    const int current = map.currentIndex();
    if (current < 0) {
        host.messageBox("Must create a non-world\nentity to connect");
        return;
    }
    if (map.entity(current).isWorld()) {
        host.messageBox("Must have a non-world entity\nselected to connect");
        return;
    }
    // The click makes the clicked entity current, which the step remembers.
    MapChange change(map, "Connect Entities");
    map.SelectEntityAt(start, end, host);
    const int other = map.currentIndex();
    if (other == current || other < 0) {
        host.messageBox("Must click on a different entity\nto connect");
    } else if (map.entity(other).isWorld()) {
        host.messageBox("Must click on a non-world entity\nto connect");
    } else {
        const std::string otherName(map.entity(other).GetValue(kTargetNameKey));
        const std::string currentTarget(map.entity(current).GetValue(kTargetKey));
        if (!isEmptyValue(otherName)) {
            change.setValue(current, kTargetKey, otherName);
        } else if (!isEmptyValue(currentTarget)) {
            change.setValue(other, kTargetNameKey, currentTarget);
        } else if (const auto name = nextTargetName(host, targetCounter)) {
            change.setValue(current, kTargetKey, Quoted(*name));
            change.setValue(other, kTargetNameKey, Quoted(*name));
        }
    }
    change.commit();
}

} // namespace vorn
