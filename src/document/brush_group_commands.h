#pragma once

namespace vorn {

class Editor;

// Brush menu: save the current entity's selected brushes to a brush group file, and load one
// into the current entity at the Z view's marker.
void SaveBrushSelection(Editor& editor);
void LoadBrushSelection(Editor& editor);

} // namespace vorn
