#include "map/brush_text.h"

#include "geometry/brush.h"
#include "geometry/numeric.h"
#include "geometry/texture_axes.h"
#include "map/number_text.h"
#include "map/text_reader.h"
#include "platform/debug_output.h"

#include <algorithm>
#include <iterator>

namespace vorn {
namespace {

void appendPoints(std::string& out, const CQFace& face)
{
    for (const DVec3& p : face.planepts) {
        out += "( ";
        for (int axis = 0; axis < 3; ++axis) {
            AppendNumber(out, p[axis]);
            out += ' ';
        }
        out += ") ";
    }
    out += face.texture;
    out += ' ';
}

void appendStandardTexture(std::string& out, const StandardTexture& texture)
{
    AppendInt(out, TruncateToInt(texture.shift[0]));
    out += ' ';
    AppendInt(out, TruncateToInt(texture.shift[1]));
    out += ' ';
    AppendInt(out, TruncateToInt(texture.rotation));
    out += ' ';
    AppendSixDecimals(out, texture.scale[0]);
    out += ' ';
    AppendSixDecimals(out, texture.scale[1]);
}

void appendValveTexture(std::string& out, const CQFace& face)
{
    const TextureAxes axes = AxesOf(face);
    for (size_t k = 0; k < 2; ++k) {
        out += "[ ";
        for (int axis = 0; axis < 3; ++axis) {
            AppendNumber(out, axes.axis[k][axis]);
            out += ' ';
        }
        AppendNumber(out, axes.offset[k]);
        out += " ] ";
    }
    AppendSingle(out, face.rotation);
    out += ' ';
    AppendSingle(out, face.scale[0]);
    out += ' ';
    AppendSingle(out, face.scale[1]);
}

float readSingle(TextCursor& in)
{
    return static_cast<float>(ParseFloat(nextToken(in)));
}

// "[ x y z offset ]": the brackets are not examined.
void readAxis(TextCursor& in, DVec3& axis, double& offset)
{
    for (int k = 0; k < 3; ++k) axis[k] = ParseFloat(nextToken(in));
    offset = ParseFloat(nextToken(in));
    nextToken(in);
}

} // namespace

void AppendFaceLine(std::string& out, const CQFace& face, MapFormat format)
{
    appendPoints(out, face);
    if (format == MapFormat::Valve220) {
        appendValveTexture(out, face);
    } else {
        appendStandardTexture(out, StandardFromAxes(face));
    }
    out += '\n';
}

void AppendBrush(std::string& out, const CQBrush& brush, MapFormat format)
{
    out += "{\n";
    for (const CQFace& face : brush.faces()) {
        if (face.winding) AppendFaceLine(out, face, format);
    }
    out += "}\n";
}

MapFormat NativeFormat(const CQBrush& brush)
{
    const bool anyAxes = std::ranges::any_of(brush.faces(), [](const CQFace& f) { return f.axes.has_value(); });
    return anyAxes ? MapFormat::Valve220 : MapFormat::Standard;
}

bool ReadFace(TextCursor& in, CQFace& face)
{
    if (nextToken(in) != "(") return false;
    for (int i = 0; i < 3; ++i) {
        if (i > 0) nextToken(in); // opening parenthesis, not examined
        for (int axis = 0; axis < 3; ++axis) face.planepts[static_cast<size_t>(i)][axis] = ParseFloat(nextToken(in));
        nextToken(in); // closing parenthesis, not examined
    }
    face.texture = nextToken(in);
    const std::string_view next = nextToken(in);
    if (next == "[") {
        if (!face.axes) face.axes = TextureAxes{};
        readAxis(in, face.axes->axis[0], face.axes->offset[0]);
        nextToken(in); // the second opening bracket
        readAxis(in, face.axes->axis[1], face.axes->offset[1]);
        face.shift = {};
    } else {
        face.axes.reset();
        face.shift[0] = static_cast<float>(ParseFloat(next));
        face.shift[1] = readSingle(in);
    }
    face.rotation = readSingle(in);
    face.scale[0] = readSingle(in);
    face.scale[1] = readSingle(in);
    face.winding.reset();
    return true;
}

BrushReadResult BrushFaceReader::read(TextCursor& in, CQBrush& brush)
{
    BrushReadResult result;
    size_t count = 0;
    for (;;) {
        const bool room = count < static_cast<size_t>(kMaxFaces);
        if (room && count == faces_.size()) faces_.emplace_back();
        CQFace& face = room ? faces_[count] : dropped_;
        if (!ReadFace(in, face)) break;
        result.hasTextureAxes = result.hasTextureAxes || face.axes.has_value();
        if (room) {
            ++count;
        } else {
            ++result.facesDropped;
        }
    }
    brush.TakeFaces({faces_.data(), count});
    return result;
}

void ReportDroppedFaces(int count, DebugOutput& log)
{
    for (int i = 0; i < count; ++i) log.debugOutput(kFullBrushMessage);
}

BrushReadResult ReadBrush(TextCursor& in, CQBrush& brush, DebugOutput& log)
{
    BrushFaceReader reader;
    const BrushReadResult result = reader.read(in, brush);
    ReportDroppedFaces(result.facesDropped, log);
    brush.BuildWindings(log);
    return result;
}

} // namespace vorn
