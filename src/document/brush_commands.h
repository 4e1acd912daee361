#pragma once

namespace vorn {

class Editor;

// The Brush menu's Make-into commands: each refuses without exactly one selected brush in a
// modifiable current entity, asks for its values and replaces that brush by the shape.
void MakeIntoRoom(Editor& editor);
void MakeIntoStairs(Editor& editor);
void MakeIntoRamp(Editor& editor);
void MakeIntoArch(Editor& editor);
void MakeIntoCylinder(Editor& editor);
void MakeIntoSpike(Editor& editor);

enum class Axis { X, Y, Z };
enum class Turn { Forward, Back };
enum class ScaleDirection { Up, Down };

// Turns the current entity's selection about its centre by the map's angle for that axis.
void RotateSelection(Editor& editor, Axis axis, Turn turn);
// Rotation Setup: edits the three angles; rotates nothing.
void EditRotationSettings(Editor& editor);
// Scales the current entity's selection about its centre by the map's factors or their inverses.
void ScaleSelectionBy(Editor& editor, ScaleDirection direction);
// Scale settings: edits the factors and scales the selection by them.
void EditScaleFactor(Editor& editor);

} // namespace vorn
