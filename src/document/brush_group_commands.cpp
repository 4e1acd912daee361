#include "document/brush_group_commands.h"

#include "document/map_document.h"
#include "map/brush_group.h"
#include "platform/file_reading.h"
#include "platform/file_saving.h"
#include "platform/host.h"

namespace vorn {
namespace {

FileChooser brushGroupChooser(std::string title)
{
    return {std::move(title), "vbr", "*.vbr", {{"Vorn Brush Files (*.vbr)", "*.vbr"}, {"All Files (*.*)", "*"}}};
}

} // namespace

void SaveBrushSelection(const CQMap& map, Host& host)
{
    const CQEntity* current = map.GetCurrentEntity();
    if (!current) return;
    if (!current->isModifiable()) {
        host.messageBox("Unmodifiable entity cannot save its brushes");
        return;
    }
    const auto path = host.chooseFileToSave(brushGroupChooser("Save Brushes"));
    if (!path) return;
    std::vector<const CQBrush*> brushes;
    for (const BrushLocation at : map.selectedBrushes()) brushes.push_back(&map.brush(at));
    if (const auto failure = SaveFile(*path, BrushGroupText(brushes))) {
        host.debugOutput("Failed to open file for SaveBrushSelection()\n");
        host.messageBox("Could not save " + *path + ": " + *failure);
    }
}

void LoadBrushSelection(CQMap& map, Host& host, const GridPlacement& placement)
{
    const CQEntity* current = map.GetCurrentEntity();
    if (!current) {
        host.messageBox("Must load brushes into an existing entity!");
        return;
    }
    if (!current->isModifiable()) {
        host.messageBox("Cannot add brushes to an unmodifiable entity");
        return;
    }
    const auto path = host.chooseFileToOpen(brushGroupChooser("Load Brushes"));
    if (!path) return;
    const FileContents file = ReadWholeFile(*path);
    if (!file.bytes) {
        host.messageBox("Could not open " + *path + ": " + file.error);
        return;
    }
    BrushGroupRead group = ReadBrushGroup(*file.bytes, host);
    if (group.junk || group.broken) host.messageBox("Error in brush group file!");
    // A block cut short says the file is not what was saved: none of it is loaded.
    if (group.broken) return;
    PlaceBrushGroup(group, placement);
    MapChange change(map, "Load Brushes");
    change.deselectAll();
    const int entity = map.currentIndex();
    for (CQBrush& brush : group.brushes) change.selectBrush(change.addBrush(entity, std::move(brush)), true);
    change.commit();
}

} // namespace vorn
