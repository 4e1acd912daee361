#pragma once

namespace vorn {

class CQMap;
class Host;
struct GridPlacement;

// Brush menu: save the current entity's selected brushes to a brush group file, and load one
// into the current entity at the placement (the Z view's marker), as one undoable step.
void SaveBrushSelection(const CQMap& map, Host& host);
void LoadBrushSelection(CQMap& map, Host& host, const GridPlacement& placement);

} // namespace vorn
