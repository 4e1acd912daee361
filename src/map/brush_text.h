#pragma once

#include "geometry/face.h"
#include "map/map_format.h"

#include <string>
#include <vector>

namespace vorn {

class CQBrush;
class DebugOutput;
class TextCursor;

// One face as a map-file line. Both formats write every number so that it reads back to the value
// it has (whole numbers as integers), and texture numbers in the form the file gave them.
// Standard: shifts, rotation and scales; a face with texture axes gets the standard projection
// nearest them. Valve 220: the texture axes with their offsets, then rotation and scales; a face
// without axes gets those of its standard projection.
void AppendFaceLine(std::string& out, const CQFace& face, MapFormat format);

// "{", a face line per face, "}": every face the brush has, whether or not it has a polygon.
void AppendBrush(std::string& out, const CQBrush& brush, MapFormat format);

// The format that writes every face of the brush as it lies: Valve 220 when a face has axes.
MapFormat NativeFormat(const CQBrush& brush);

enum class FaceRead {
    Face,     // a face line was read
    End,      // the brush's closing "}" (consumed)
    Malformed // anything else: a number that cannot be taken as written, or the brush is not closed
};

// Reads one face line in either format.
FaceRead ReadFace(TextCursor& in, CQFace& face);

struct BrushReadResult {
    bool hasTextureAxes = false; // a face line was in the Valve 220 format
    // The line (counted in the text read) of the face that could not be read, or where the text
    // ended before the brush's "}"; 0 when the brush was read whole.
    int malformedLine = 0;
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
    BulkArena* arena_;
};

// Passes over a brush's text after its "{" up to and including its "}": the first "}" that stands
// as a token of its own outside comments. False when the text ends first. The faces are not
// examined: reading the brush finds what is wrong in them.
bool PassBrush(TextCursor& in);

// Reads face lines after the brush's "{" up to its "}", then builds the polygons.
BrushReadResult ReadBrush(TextCursor& in, CQBrush& brush, DebugOutput& log);

} // namespace vorn
