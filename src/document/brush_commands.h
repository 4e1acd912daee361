#pragma once

namespace vorn {

class CQMap;
class Dialogs;
class DebugOutput;
class Host;

// The Brush menu's Make-into commands: each refuses without exactly one selected brush in a
// modifiable current entity, asks for its values and replaces that brush by the shape, as one
// undoable step.
void MakeIntoRoom(CQMap& map, Dialogs& dialogs, Host& host);
void MakeIntoStairs(CQMap& map, Dialogs& dialogs, Host& host);
void MakeIntoRamp(CQMap& map, Dialogs& dialogs, Host& host);
void MakeIntoArch(CQMap& map, Dialogs& dialogs, Host& host);
void MakeIntoCylinder(CQMap& map, Dialogs& dialogs, Host& host);
void MakeIntoSpike(CQMap& map, Dialogs& dialogs, Host& host);

enum class ScaleDirection { Up, Down };

// Turn the current entity's selection about its centre, about the x, y or z axis.
void RotateSelectionX(CQMap& map, float degrees, Host& host);
void RotateSelectionY(CQMap& map, float degrees, Host& host);
void RotateSelectionZ(CQMap& map, float degrees, Host& host);
// Stretches the current entity's selection about its centre by the factors.
void ScaleSelection(CQMap& map, float x, float y, float z, Host& host);
// Mirrors the current entity's selection along the axis (0 x, 1 y, 2 z) about the middle of its
// bounds, so that it fills the same box.
void MirrorSelection(CQMap& map, int axis, Host& host);
// Replaces the current entity's selected brushes by the convex solid around them, which keeps the
// faces of the first that lie on it; fewer than two selected brushes are refused in the status bar.
void MergeSelection(CQMap& map, Host& host);
// Rotation Setup: edits the three angles; rotates nothing.
void EditRotationSettings(CQMap& map, Dialogs& dialogs, Host& host);
// Scales the current entity's selection about its centre by the map's factors or their inverses.
void ScaleSelectionBy(CQMap& map, ScaleDirection direction, Host& host);
// Scale settings: edits the factors and scales the selection by them.
void EditScaleFactor(CQMap& map, Dialogs& dialogs, Host& host);

} // namespace vorn
