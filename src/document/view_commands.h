#pragma once

namespace vorn {

class Editor;

// The XY view's View-menu commands that the document handles.
void CenterOnMap(Editor& editor);
void FindCamera(Editor& editor);
void ToggleClassNames(Editor& editor);
void ToggleGrid(Editor& editor);

} // namespace vorn
