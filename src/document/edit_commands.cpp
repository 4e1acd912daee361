#include "document/edit_commands.h"

#include "editor/editor.h"
#include "platform/dialogs.h"
#include "platform/host.h"

namespace vorn {
namespace {

// Copies the current entity's selection to the clipboard; false when nothing is selected.
bool copyFrom(CQEntity& entity, Clipboard& clipboard)
{
    const int selected = entity.selectedCount();
    if (selected == 0) return false;
    clipboard.source = Clipboard::Source{entity.pairs(), entity.isModifiable()};
    clipboard.wholeEntity = !entity.isWorld() && (selected == entity.brushCount() || !entity.isModifiable());
    clipboard.brushes.clear();
    for (const CQBrush& brush : entity.brushes()) {
        if (!brush.IsSelected()) continue;
        clipboard.brushes.push_back(brush);
        clipboard.brushes.back().SetOwner(nullptr);
    }
    return true;
}

GridPlacement placementFor(Editor& editor)
{
    const CQView& panel = editor.panel();
    return {{static_cast<float>(panel.posX()), static_cast<float>(panel.posY()), 0},
            editor.xyView().snapToGrid(),
            editor.xyView().gridSize()};
}

// Recreates the entity the clipboard came from and pastes into it.
void pasteAsNewEntity(Editor& editor, const Clipboard& clipboard)
{
    CQMap& map = editor.map();
    CQEntity recreated;
    for (const CQKeyValue& pair : clipboard.source->pairs) recreated.SetValue(pair.key, pair.value);
    map.AddEntity(recreated);
    CQEntity& pasted = *map.GetCurrentEntity();
    pasted.setModifiable(true);
    pasted.PasteBrushes(clipboard.brushes, placementFor(editor), editor.host());
    pasted.setModifiable(clipboard.source->modifiable);
    if (!pasted.isModifiable()) {
        pasted.SetValue("\"origin\"", Quoted(OriginText(pasted.GetOrigin())));
        editor.panel().showEntity(&pasted);
        editor.host().controlPanelChanged();
    }
}

} // namespace

void CopySelection(Editor& editor)
{
    if (CQEntity* current = editor.map().GetCurrentEntity()) copyFrom(*current, editor.clipboard());
}

void CutSelection(Editor& editor)
{
    CQMap& map = editor.map();
    CQEntity* current = map.GetCurrentEntity();
    if (!current) {
        editor.host().messageBox("You must create something\nbefore you can cut it.");
        return;
    }
    const int selected = current->selectedCount();
    if (selected == 0) return;
    if (current->isModifiable() && selected == current->brushCount()) {
        editor.host().messageBox("Can't cut all the brushes in an entity!\nJust drag them where you want them to go");
        return;
    }
    copyFrom(*current, editor.clipboard());
    map.DeleteSelection();
    editor.rebuildCameraScene();
    editor.updateViews(ViewFlags::XYZ);
}

void PasteClipboard(Editor& editor)
{
    CQMap& map = editor.map();
    CQEntity* current = map.GetCurrentEntity();
    if (!current) return;
    const Clipboard& clipboard = editor.clipboard();
    if (!clipboard.wholeEntity || !clipboard.source) {
        current->DeselectAllBrushes();
        if (current->PasteBrushes(clipboard.brushes, placementFor(editor), editor.host()) && !clipboard.brushes.empty()) {
            map.setModified();
        }
    } else {
        pasteAsNewEntity(editor, clipboard);
    }
    editor.updateViews(ViewFlags::All);
}

void SelectAllOfCurrentEntity(Editor& editor)
{
    CQEntity* current = editor.map().GetCurrentEntity();
    if (!current) return;
    current->SelectAllBrushes();
    editor.refreshSelectionInCamera();
    editor.updateViews(ViewFlags::All);
}

void DeleteSelectedBrushes(Editor& editor)
{
    editor.map().DeleteSelection();
    editor.rebuildCameraScene();
    editor.updateViews(ViewFlags::Editing);
}

void ChooseTexture(Editor& editor)
{
    CQMap& map = editor.map();
    const auto chosen = editor.dialogs().textureSelector(editor.prefs().wad, map.currentTexture());
    if (!chosen) return;
    map.SetCurrentTexture(*chosen);
    ApplyTextureToSelection(editor);
}

void ApplyTextureToSelection(Editor& editor)
{
    editor.map().ApplyCurrentTexture();
    editor.refreshSelectionInCamera();
    editor.updateViews(ViewFlags::Camera);
}

void AlignTexturesOfSelection(Editor& editor)
{
    editor.map().AlignSelectionTextures(editor.panel().textureSizes());
    editor.refreshSelectionInCamera();
    editor.updateViews(ViewFlags::Camera);
}

} // namespace vorn
