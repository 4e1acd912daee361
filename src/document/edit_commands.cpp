#include "document/edit_commands.h"

#include "document/clipboard.h"
#include "document/dialogs.h"
#include "document/face_commands.h"
#include "document/map_document.h"
#include "document/selection_edits.h"
#include "platform/host.h"

namespace vorn {
namespace {

// Copies the current entity's selection to the clipboard; false when nothing is selected.
bool copyFrom(const CQMap& map, Clipboard& clipboard)
{
    const CQEntity* entity = map.GetCurrentEntity();
    const int selected = map.countSelectedBrushes();
    if (!entity || selected == 0) return false;
    clipboard.source = Clipboard::Source{entity->pairs(), entity->isModifiable()};
    clipboard.wholeEntity = !entity->isWorld() && (selected == entity->brushCount() || !entity->isModifiable());
    clipboard.brushes.clear();
    for (const BrushLocation at : map.selectedBrushes()) {
        clipboard.brushes.push_back(map.brush(at));
        clipboard.brushes.back().setId(0);
    }
    return true;
}

// Recreates the entity the clipboard came from, with the pasted brushes, as the current entity.
void pasteAsNewEntity(MapChange& change, const Clipboard& clipboard, std::vector<CQBrush> pasted)
{
    CQEntity recreated;
    for (const CQKeyValue& pair : clipboard.source->pairs) recreated.SetValue(pair.key, pair.value);
    for (CQBrush& brush : pasted) recreated.AddBrush(std::move(brush));
    recreated.setModifiable(clipboard.source->modifiable);
    if (!recreated.isModifiable()) recreated.SetValue(kOriginKey, Quoted(OriginText(recreated.GetOrigin())));
    const int index = change.addEntity(std::move(recreated));
    change.setCurrentEntity(index);
    for (int b = 0; b < change.map().entity(index).brushCount(); ++b) change.selectBrush({index, b}, true);
}

// Pastes the clipboard's brushes as they were placed: into the current entity, or as the entity
// they came from when they were all of it.
void pasteCopies(CQMap& map, const Clipboard& clipboard, std::vector<CQBrush> placed, const std::string& name, Host& host)
{
    const CQEntity* current = map.GetCurrentEntity();
    if (!current) return;
    MapChange change(map, name);
    if (clipboard.wholeEntity && clipboard.source) {
        pasteAsNewEntity(change, clipboard, std::move(placed));
    } else {
        change.deselectAll();
        if (!current->isModifiable()) {
            host.messageBox("Can't paste into unmodifiable entity!");
        } else {
            const int entity = map.currentIndex();
            for (CQBrush& brush : placed) change.selectBrush(change.addBrush(entity, std::move(brush)), true);
        }
    }
    change.commit();
}

std::vector<CQBrush> movedCopies(std::span<const CQBrush> brushes, Vec3 offset, TextureLock lock)
{
    std::vector<CQBrush> moved(brushes.begin(), brushes.end());
    for (CQBrush& brush : moved) brush.Move(offset, lock);
    return moved;
}

} // namespace

void CopySelection(const CQMap& map, Clipboard& clipboard)
{
    copyFrom(map, clipboard);
}

void CutSelection(CQMap& map, Clipboard& clipboard, Host& host)
{
    const CQEntity* current = map.GetCurrentEntity();
    if (!current) {
        host.messageBox("You must create something\nbefore you can cut it.");
        return;
    }
    const int selected = map.countSelectedBrushes();
    if (selected == 0) return;
    if (current->isModifiable() && selected == current->brushCount()) {
        host.messageBox("Can't cut all the brushes in an entity!\nJust drag them where you want them to go");
        return;
    }
    copyFrom(map, clipboard);
    MapChange change(map, "Cut");
    DeleteSelection(change);
    change.commit();
}

void PasteBrushes(CQMap& map, const Clipboard& clipboard, const GridPlacement& placement, Host& host)
{
    pasteCopies(map, clipboard, PlacedCopies(clipboard.brushes, placement), "Paste", host);
}

void PasteInPlace(CQMap& map, const Clipboard& clipboard, Host& host)
{
    pasteCopies(map, clipboard, clipboard.brushes, "Paste in Place", host);
}

void DuplicateSelection(CQMap& map, Vec3 offset, Host& host)
{
    Clipboard copies;
    if (!copyFrom(map, copies)) return;
    pasteCopies(map, copies, movedCopies(copies.brushes, offset, map.textureLock), "Duplicate", host);
}

void SelectAllOfCurrentEntity(CQMap& map)
{
    map.SelectAll();
}

void ChooseTexture(CQMap& map, Dialogs& dialogs, const std::string& wadValue)
{
    const auto chosen = dialogs.textureSelector(wadValue, map.currentTexture());
    if (!chosen) return;
    map.SetCurrentTexture(*chosen);
    ApplyTextureToSelection(map);
}

void ApplyTextureToSelection(CQMap& map)
{
    if (map.hasSelectedFaces()) {
        SetFacesTexture(map, map.currentTexture());
        return;
    }
    const std::vector<BrushLocation> selected = map.changeableSelection();
    if (selected.empty()) return;
    MapChange change(map, "Apply Texture");
    for (const BrushLocation at : selected) change.editBrush(at).SetTexture(map.currentTexture());
    change.commit();
}

void AlignTexturesOfSelection(CQMap& map, TextureSizeSource& sizes)
{
    const std::vector<BrushLocation> selected = map.changeableSelection();
    if (selected.empty()) return;
    MapChange change(map, "Align Texture");
    for (const BrushLocation at : selected) change.editBrush(at).AlignTextures(sizes);
    change.commit();
}

} // namespace vorn
