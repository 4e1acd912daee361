#include "map/brush_text.h"

#include "geometry/brush.h"
#include "geometry/numeric.h"
#include "geometry/texture_axes.h"
#include "map/number_text.h"
#include "map/text_reader.h"
#include "platform/debug_output.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace vorn {
namespace {

// Room for the points of a face line, or for what follows its texture name, in either format.
constexpr size_t kLineRoom = 20 * (kNumberRoom + 1) + 32;

// The parts of a line are written into a buffer and added to the text at once.
char* writeText(char* p, std::string_view text)
{
    std::memcpy(p, text.data(), text.size());
    return p + text.size();
}

char* writePoints(char* p, const CQFace& face)
{
    for (const DVec3& point : face.planepts) {
        p = writeText(p, "( ");
        for (int axis = 0; axis < 3; ++axis) {
            p = WriteNumber(p, point[axis]);
            *p++ = ' ';
        }
        p = writeText(p, ") ");
    }
    return p;
}

char* writeStandardTexture(char* p, const StandardTexture& texture)
{
    p = WriteInt(p, TruncateToInt(texture.shift[0]));
    *p++ = ' ';
    p = WriteInt(p, TruncateToInt(texture.shift[1]));
    *p++ = ' ';
    p = WriteInt(p, TruncateToInt(texture.rotation));
    *p++ = ' ';
    p = WriteSixDecimals(p, texture.scale[0]);
    *p++ = ' ';
    return WriteSixDecimals(p, texture.scale[1]);
}

char* writeValveTexture(char* p, const CQFace& face)
{
    const TextureAxes axes = AxesOf(face);
    for (size_t k = 0; k < 2; ++k) {
        p = writeText(p, "[ ");
        for (int axis = 0; axis < 3; ++axis) {
            p = WriteNumber(p, axes.axis[k][axis]);
            *p++ = ' ';
        }
        p = WriteNumber(p, axes.offset[k]);
        p = writeText(p, " ] ");
    }
    p = WriteSingle(p, face.rotation);
    *p++ = ' ';
    p = WriteSingle(p, face.scale[0]);
    *p++ = ' ';
    return WriteSingle(p, face.scale[1]);
}

float single(std::string_view token)
{
    return static_cast<float>(ParseFloat(token));
}

// The tokens of one face line, handed in order to `fields`: the one grammar for reading a face and
// for passing over it. False when the line does not begin with "(": the end of the brush's faces.
template <typename Fields>
bool scanFace(TextCursor& in, Fields& fields)
{
    if (nextToken(in) != "(") return false;
    for (size_t i = 0; i < 3; ++i) {
        if (i > 0) nextToken(in); // opening parenthesis, not examined
        for (int axis = 0; axis < 3; ++axis) fields.point(i, axis, nextToken(in));
        nextToken(in); // closing parenthesis, not examined
    }
    fields.texture(nextToken(in));
    const std::string_view next = nextToken(in);
    if (next == "[") {
        fields.textureAxes();
        for (size_t k = 0; k < 2; ++k) {
            if (k > 0) nextToken(in); // opening bracket, not examined
            for (int part = 0; part < 4; ++part) fields.axisPart(k, part, nextToken(in)); // x, y, z, offset
            nextToken(in); // closing bracket, not examined
        }
    } else {
        fields.shifts(next, nextToken(in));
    }
    fields.rotation(nextToken(in));
    fields.scale(0, nextToken(in));
    fields.scale(1, nextToken(in));
    return true;
}

// Fills a face from the tokens.
struct FaceFields {
    CQFace& face;

    void point(size_t i, int axis, std::string_view token) { face.planepts[i][axis] = ParseFloat(token); }
    void texture(std::string_view token) { face.texture = token; }
    void textureAxes()
    {
        if (!face.axes) face.axes = TextureAxes{};
        face.shift = {};
    }
    void axisPart(size_t k, int part, std::string_view token)
    {
        if (part < 3) {
            face.axes->axis[k][part] = ParseFloat(token);
        } else {
            face.axes->offset[k] = ParseFloat(token);
        }
    }
    void shifts(std::string_view x, std::string_view y)
    {
        face.axes.reset();
        face.shift = {single(x), single(y)};
    }
    void rotation(std::string_view token) { face.rotation = single(token); }
    void scale(size_t k, std::string_view token) { face.scale[k] = single(token); }
};

// Only notes whether the face has texture axes.
struct PassedFields {
    bool textureAxesSeen = false;

    void point(size_t, int, std::string_view) {}
    void texture(std::string_view) {}
    void textureAxes() { textureAxesSeen = true; }
    void axisPart(size_t, int, std::string_view) {}
    void shifts(std::string_view, std::string_view) {}
    void rotation(std::string_view) {}
    void scale(size_t, std::string_view) {}
};

} // namespace

void AppendFaceLine(std::string& out, const CQFace& face, MapFormat format)
{
    char line[kLineRoom];
    out.append(line, writePoints(line, face));
    out += face.texture;
    char* p = line;
    *p++ = ' ';
    p = format == MapFormat::Valve220 ? writeValveTexture(p, face) : writeStandardTexture(p, StandardFromAxes(face));
    *p++ = '\n';
    out.append(line, p);
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
    FaceFields fields{face};
    if (!scanFace(in, fields)) return false;
    face.winding.reset();
    return true;
}

BrushReadResult PassBrush(TextCursor& in)
{
    BrushReadResult result;
    PassedFields fields;
    for (int faces = 0; scanFace(in, fields); ++faces) {
        if (faces >= kMaxFaces) ++result.facesDropped;
    }
    result.hasTextureAxes = fields.textureAxesSeen;
    return result;
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
    brush.TakeFaces({faces_.data(), count}, arena_);
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
