#pragma once

namespace vorn {

class Editor;

// The Edit menu's clipboard and selection commands on the current entity.
void CopySelection(Editor& editor);
void CutSelection(Editor& editor);
void PasteClipboard(Editor& editor);
void SelectAllOfCurrentEntity(Editor& editor);
void DeleteSelectedBrushes(Editor& editor);

} // namespace vorn
