#pragma once

#include <string>

namespace vorn {

class CQBrush;
class DebugOutput;
class TextCursor;
struct CQFace;

// One face as a map-file line: the plane points, shifts and rotation truncated to whole
// numbers, the scales with six decimals.
void AppendFaceLine(std::string& out, const CQFace& face);

// "{", a face line per face that has a polygon, "}".
void AppendBrush(std::string& out, const CQBrush& brush);

// Reads one face line; false when the next token is not "(" (the end of the brush's faces,
// normally its "}", which is consumed).
bool ReadFace(TextCursor& in, CQFace& face);

struct BrushReadResult {
    int facesDropped = 0; // faces beyond the 50 a brush can hold
};

// Reads face lines after the brush's "{" up to its "}", then builds the polygons.
BrushReadResult ReadBrush(TextCursor& in, CQBrush& brush, DebugOutput& log);

} // namespace vorn
