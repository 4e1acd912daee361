#pragma once

#include "geometry/face.h"
#include "map/map_format.h"

#include <string>
#include <vector>

namespace vorn {

class CQBrush;
class DebugOutput;
class TextCursor;

// One face as a map-file line. Both formats write the plane points as numbers that read back
// exactly (whole numbers as integers). Standard: shifts and rotation truncated to whole numbers,
// scales with six decimals; a face with texture axes gets the standard projection nearest them.
// Valve 220: the texture axes with their offsets, then rotation and scales, all exactly; a face
// without axes gets those of its standard projection.
void AppendFaceLine(std::string& out, const CQFace& face, MapFormat format);

// "{", a face line per face that has a polygon, "}".
void AppendBrush(std::string& out, const CQBrush& brush, MapFormat format);

// The format that writes every face of the brush as it lies: Valve 220 when a face has axes.
MapFormat NativeFormat(const CQBrush& brush);

// Reads one face line in either format; false when the next token is not "(" (the end of the
// brush's faces, normally its "}", which is consumed).
bool ReadFace(TextCursor& in, CQFace& face);

struct BrushReadResult {
    int facesDropped = 0; // faces beyond the 50 a brush can hold
    bool hasTextureAxes = false; // a face line was in the Valve 220 format
};

// Reads the face lines after a brush's "{" up to its "}", one buffer serving every brush read, so
// that each brush gets exactly as many face slots as it has faces. Nothing is built or reported.
// With an arena, the faces are carved from it (for many brushes read at once).
class BrushFaceReader {
public:
    explicit BrushFaceReader(BulkArena* arena = nullptr) : arena_(arena) {}
    BrushReadResult read(TextCursor& in, CQBrush& brush);
    BulkArena* arena() const { return arena_; }

private:
    std::vector<CQFace> faces_;
    CQFace dropped_; // where the faces beyond the 50th are read
    BulkArena* arena_;
};

// Passes over the face lines after a brush's "{" up to its "}" without keeping them: what reading
// them would find of dropped faces and texture axes, at the cost of finding the tokens.
BrushReadResult PassBrush(TextCursor& in);

// The debug report of a brush whose faces beyond the 50th were dropped, once per face.
void ReportDroppedFaces(int count, DebugOutput& log);

// Reads face lines after the brush's "{" up to its "}", then builds the polygons.
BrushReadResult ReadBrush(TextCursor& in, CQBrush& brush, DebugOutput& log);

} // namespace vorn
