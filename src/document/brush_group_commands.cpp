#include "document/brush_group_commands.h"

#include "editor/editor.h"
#include "map/text_reader.h"
#include "platform/file_io.h"
#include "platform/host.h"

namespace vorn {
namespace {

FileChooser brushGroupChooser(std::string title)
{
    return {std::move(title), "vbr", "*.vbr", {{"Vorn Brush Files (*.vbr)", "*.vbr"}, {"All Files (*.*)", "*"}}};
}

} // namespace

void SaveBrushSelection(Editor& editor)
{
    CQEntity* current = editor.map().GetCurrentEntity();
    if (!current) return;
    Host& host = editor.host();
    if (!current->isModifiable()) {
        host.messageBox("Unmodifiable entity cannot save its brushes");
        return;
    }
    const auto path = host.chooseFileToSave(brushGroupChooser("Save Brushes"));
    if (!path) return;
    std::string text;
    current->SerializeBrushGroup(text);
    if (const auto failure = WriteFileAtomically(*path, text)) {
        host.debugOutput("Failed to open file for SaveBrushSelection()\n");
        host.messageBox("Could not save " + *path + ": " + *failure);
    }
}

void LoadBrushSelection(Editor& editor)
{
    CQEntity* current = editor.map().GetCurrentEntity();
    Host& host = editor.host();
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
    current->DeselectAllBrushes();
    TextCursor in(*file.bytes);
    const MapPoint marker = editor.zViewPosition();
    const GridPlacement placement{{static_cast<float>(marker.x), static_cast<float>(marker.y), 0},
                                  editor.xyView().snapToGrid(),
                                  editor.xyView().gridSize()};
    if (current->LoadBrushGroup(in, placement, host) > 0) editor.map().setModified();
    editor.refreshSelectionInCamera();
    editor.updateViews(ViewFlags::All);
}

} // namespace vorn
