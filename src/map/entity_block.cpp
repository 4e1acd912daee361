#include "map/entity_block.h"

#include "map/brush_text.h"
#include "map/text_reader.h"

namespace vorn {

EntityBlock ReadEntityBlock(TextCursor& in)
{
    EntityBlock block;
    const char opening = NextNonBlank(in);
    if (opening != '{') {
        block.status = opening == 0 ? EntityReadResult::EndOfFile : EntityReadResult::NoBlock;
    } else {
        block.firstLine = in.line();
        for (;;) {
            const char c = NextNonBlank(in);
            if (c == '"') {
                const std::string_view key = ReadQuoted(in);
                if (NextNonBlank(in) == '"') block.pairs.push_back({std::string(key), std::string(ReadQuoted(in))});
            } else if (c == '{') {
                const int line = in.line();
                const size_t start = in.position() - 1;
                if (!PassBrush(in)) {
                    block.status = EntityReadResult::Discarded;
                    break;
                }
                BrushSource& source = block.sources.emplace_back();
                source.text = in.since(start);
                source.line = line;
            } else {
                block.status = c == '}' ? EntityReadResult::Complete : EntityReadResult::Discarded;
                break;
            }
        }
    }
    block.line = in.line();
    block.end = in.position();
    TextCursor after = in;
    block.moreFollows = NextNonBlank(after) != 0;
    return block;
}

void ReadBlockBrush(BrushSource& source, CQBrush& brush, BrushFaceReader& faces, DebugOutput& log)
{
    TextCursor in(source.text.substr(1)); // after the opening brace, on its line
    const BrushReadResult read = faces.read(in, brush);
    if (read.malformedLine > 0) source.malformedLine = source.line + read.malformedLine - 1;
    source.hasTextureAxes = read.hasTextureAxes;
    brush.BuildWindings(log, faces.arena());
    if (brush.numfaces() > 0 && brush.CountFaces() < kMinSolidFaces) {
        std::string_view text = source.text;
        while (!text.empty() && IsBlank(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
        source.unbuiltText = std::make_unique<std::string>(text);
    }
}

} // namespace vorn
