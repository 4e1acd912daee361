#pragma once

namespace vorn {

class Editor;

// The Edit menu's clipboard and selection commands on the current entity.
void CopySelection(Editor& editor);
void CutSelection(Editor& editor);
void PasteClipboard(Editor& editor);
void SelectAllOfCurrentEntity(Editor& editor);
void DeleteSelectedBrushes(Editor& editor);
// The texture selector; the chosen texture becomes current and goes onto the selection.
void ChooseTexture(Editor& editor);
// "Apply Texture": the current texture onto the current entity's selected brushes.
void ApplyTextureToSelection(Editor& editor);
// "Align Texture": the selected brushes' textures aligned by the sizes of the loaded archives.
void AlignTexturesOfSelection(Editor& editor);

} // namespace vorn
