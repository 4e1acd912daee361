#pragma once

#include "geometry/brush.h"
#include "map/entity.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

class BrushFaceReader;
class DebugOutput;
class TextCursor;

// Where a brush of an entity block came from.
struct BrushSource {
    std::string_view text; // from its "{" to its "}"
    int line = 0;
    // The line of the file where the brush could not be read (a number that cannot be taken as
    // written); 0 when it was read whole. Set by ReadBlockBrush.
    int malformedLine = 0;
    // The text of a brush with faces that do not close a solid, set by ReadBlockBrush: it is kept
    // as read and written back so, while the map's text is given up once its brushes are read.
    // (Held apart: the few such brushes should not make every source larger.)
    std::unique_ptr<std::string> unbuiltText;
};

// One entity block as the text holds it: its pairs in order and where its brushes are, so that
// the brushes of many blocks can be read and built together.
struct EntityBlock {
    EntityReadResult::Status status = EntityReadResult::EndOfFile;
    int firstLine = 0; // line of the opening brace
    int line = 0;   // line where reading stopped
    size_t end = 0; // position in the text where reading stopped
    bool moreFollows = false; // text other than blanks follows the block
    std::vector<CQKeyValue> pairs; // as the file gives them, a key repeated included
    size_t brushesFound = 0;
    std::vector<BrushSource> sources; // kept, or handed over and given back
    std::vector<CQBrush> brushes; // one per source, once built with ReadBlockBrush
    bool hasTextureAxes = false;      // a face line was in the Valve 220 format
};

// Given each brush of a block as it is passed over, in place of the block.
using BrushFound = std::function<void(BrushSource&& source)>;

// Reads one entity block: the opening brace, quoted pairs (every one, in file order) and brush
// blocks up to the closing brace. The brush blocks are only passed over, and the block gets no
// brushes yet: it keeps their sources, or hands them to `found`. One that is not closed by its
// "}" discards the block.
EntityBlock ReadEntityBlock(TextCursor& in, const BrushFound& found = {});

// A closed solid has at least four faces with a polygon.
inline constexpr int kMinSolidFaces = 4;

// Reads the faces of a brush block from its text and builds its polygons, in the reader's arena
// when it has one; notes in the source where it could not be read, and keeps the text of a brush
// that does not close a solid.
void ReadBlockBrush(BrushSource& source, CQBrush& brush, BrushFaceReader& faces, DebugOutput& log);

} // namespace vorn
