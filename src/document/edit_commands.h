#pragma once

#include "geometry/vec3.h"

#include <string>

namespace vorn {

class CQMap;
class DebugOutput;
class Dialogs;
class Host;
class TextureSizeSource;
struct Clipboard;
struct GridPlacement;

// The Edit menu's clipboard, selection and texture commands on the current entity. Each command
// that changes the map is one undoable step.
void CopySelection(const CQMap& map, Clipboard& clipboard);
void CutSelection(CQMap& map, Clipboard& clipboard, Host& host);
// Pastes at the placement (the mouse position in the XY view).
void PasteBrushes(CQMap& map, const Clipboard& clipboard, const GridPlacement& placement, Host& host);
// Pastes where the brushes were copied from.
void PasteInPlace(CQMap& map, const Clipboard& clipboard, Host& host);
// Copies of the selection, moved by the offset, as a paste makes them (a whole entity copied
// makes a new one), selected; the clipboard stays as it was.
void DuplicateSelection(CQMap& map, Vec3 offset, Host& host);
void SelectAllOfCurrentEntity(CQMap& map);
// The texture selector on the archives `wadValue` names; the chosen texture becomes current and
// goes onto the selection.
void ChooseTexture(CQMap& map, Dialogs& dialogs, const std::string& wadValue);
// "Apply Texture": the current texture onto the selected faces, or else the current entity's
// selected brushes.
void ApplyTextureToSelection(CQMap& map);
// "Align Texture": the selected brushes' textures aligned by the archives' texture sizes.
void AlignTexturesOfSelection(CQMap& map, TextureSizeSource& sizes);

} // namespace vorn
