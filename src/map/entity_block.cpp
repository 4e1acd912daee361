#include "map/entity_block.h"

#include "map/brush_text.h"
#include "map/text_reader.h"

namespace vorn {

EntityBlock ReadEntityBlock(TextCursor& in, BrushFaceReader& faces)
{
    EntityBlock block;
    const char opening = NextNonBlank(in);
    if (opening != '{') {
        block.status = opening == 0 ? EntityReadResult::EndOfFile : EntityReadResult::NoBlock;
    } else {
        for (;;) {
            const char c = NextNonBlank(in);
            if (c == '"') {
                const std::string_view key = ReadQuoted(in);
                if (NextNonBlank(in) == '"') block.pairs.push_back({std::string(key), std::string(ReadQuoted(in))});
            } else if (c == '{') {
                const int line = in.line();
                const size_t start = in.position() - 1;
                CQBrush& brush = block.brushes.emplace_back();
                const BrushReadResult read = faces.read(in, brush);
                block.hasTextureAxes = block.hasTextureAxes || read.hasTextureAxes;
                block.sources.push_back({in.since(start), line, read.facesDropped});
            } else {
                block.status = c == '}' ? EntityReadResult::Complete : EntityReadResult::Discarded;
                break;
            }
        }
    }
    block.line = in.line();
    block.end = in.position();
    return block;
}

} // namespace vorn
