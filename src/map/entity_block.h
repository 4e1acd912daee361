#pragma once

#include "geometry/brush.h"
#include "map/entity.h"

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
    // The line of the file where the brush could not be read (a face line that is none, or a
    // number that cannot be taken as written); 0 when it was read whole. Set by ReadBlockBrush.
    int malformedLine = 0;
    bool hasTextureAxes = false; // a face line was in the Valve 220 format; set by ReadBlockBrush
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
    std::vector<BrushSource, BackedAllocator<BrushSource>> sources;
    BrushList brushes; // one per source, once built with ReadBlockBrush
};

// Reads one entity block: the opening brace, quoted pairs (every one, in file order) and brush
// blocks up to the closing brace. The brush blocks are only passed over, and the block gets no
// brushes yet, only their sources. One that is not closed by its "}" discards the block.
EntityBlock ReadEntityBlock(TextCursor& in);

// A closed solid has at least four faces with a polygon.
inline constexpr int kMinSolidFaces = 4;

// Reads the faces of a brush block from its text and builds its polygons, in the reader's arena
// when it has one; notes in the source where it could not be read, and keeps the text of a brush
// that does not close a solid.
void ReadBlockBrush(BrushSource& source, CQBrush& brush, BrushFaceReader& faces, DebugOutput& log);

} // namespace vorn
