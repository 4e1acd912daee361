#include "map/brush_text.h"

#include "geometry/brush.h"
#include "geometry/texture_axes.h"
#include "map/number_text.h"
#include "map/text_reader.h"
#include "platform/debug_output.h"

#include <algorithm>
#include <cstring>
#include <optional>

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
    for (const DVec3& point : face.planepts.points()) {
        p = writeText(p, "( ");
        for (int axis = 0; axis < 3; ++axis) {
            p = WriteNumber(p, point[axis]);
            *p++ = ' ';
        }
        p = writeText(p, ") ");
    }
    return p;
}

// The usual forms of the texture numbers, in the standard format: whole shifts and rotations as
// integers, scales with six decimals.
constexpr TextureForms kStandardForms{{NumberForm::Shortest, NumberForm::Shortest},
                                      NumberForm::Shortest,
                                      {NumberForm::SixDecimalsBare, NumberForm::SixDecimalsBare}};

NumberForm formOr(NumberForm form, NumberForm usual)
{
    return form == NumberForm::Usual ? usual : form;
}

char* writeStandardTexture(char* p, const StandardTexture& texture, const TextureForms& forms)
{
    for (size_t k = 0; k < 2; ++k) {
        p = WriteNumberInForm(p, texture.shift[k], formOr(forms.shift[k], kStandardForms.shift[k]));
        *p++ = ' ';
    }
    p = WriteNumberInForm(p, texture.rotation, formOr(forms.rotation, kStandardForms.rotation));
    for (size_t k = 0; k < 2; ++k) {
        *p++ = ' ';
        p = WriteNumberInForm(p, texture.scale[k], formOr(forms.scale[k], kStandardForms.scale[k]));
    }
    return p;
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
    p = WriteNumberInForm(p, face.rotation, face.forms.rotation);
    for (size_t k = 0; k < 2; ++k) {
        *p++ = ' ';
        p = WriteNumberInForm(p, face.scale[k], face.forms.scale[k]);
    }
    return p;
}

// The tokens of one face line, handed in order to `fields`: the one grammar for reading a face and
// for passing over it. `line` becomes the line the face, or what ends the faces, is on.
template <typename Fields>
FaceRead scanFace(TextCursor& in, Fields& fields, int& line)
{
    const std::string_view first = nextToken(in);
    line = in.line();
    if (first != "(") return first == "}" ? FaceRead::End : FaceRead::Malformed;
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
    return fields.malformed ? FaceRead::Malformed : FaceRead::Face;
}

// Fills a face from the tokens; a number that cannot be taken as written makes the face malformed.
struct FaceFields {
    CQFace& face;
    PlanePoints::Points points{};
    bool malformed = false;

    double number(std::string_view token)
    {
        const std::optional<double> value = ParseNumber(token);
        malformed = malformed || !value;
        return value.value_or(0);
    }
    double textureNumber(std::string_view token, NumberForm& form)
    {
        form = FormOf(token);
        return number(token);
    }
    void point(size_t i, int axis, std::string_view token) { points[i][axis] = number(token); }
    void texture(std::string_view token)
    {
        face.texture = token;
        malformed = malformed || token.empty();
    }
    void textureAxes()
    {
        if (!face.axes) face.axes = TextureAxes{};
        face.shift = {};
        face.forms.shift = {};
    }
    void axisPart(size_t k, int part, std::string_view token)
    {
        if (part < 3) {
            face.axes->axis[k][part] = number(token);
        } else {
            face.axes->offset[k] = number(token);
        }
    }
    void shifts(std::string_view x, std::string_view y)
    {
        face.axes.reset();
        face.shift = {textureNumber(x, face.forms.shift[0]), textureNumber(y, face.forms.shift[1])};
    }
    void rotation(std::string_view token) { face.rotation = textureNumber(token, face.forms.rotation); }
    void scale(size_t k, std::string_view token) { face.scale[k] = textureNumber(token, face.forms.scale[k]); }
};

FaceRead readFace(TextCursor& in, CQFace& face, int& line)
{
    FaceFields fields{face};
    face.winding.reset();
    const FaceRead read = scanFace(in, fields, line);
    face.planepts = fields.points;
    return read;
}

// Only notes whether the face has texture axes; the numbers are not examined.
struct PassedFields {
    bool textureAxesSeen = false;
    bool malformed = false;

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
    p = format == MapFormat::Valve220 ? writeValveTexture(p, face) : writeStandardTexture(p, StandardFromAxes(face), face.forms);
    *p++ = '\n';
    out.append(line, p);
}

void AppendBrush(std::string& out, const CQBrush& brush, MapFormat format)
{
    out += "{\n";
    for (const CQFace& face : brush.faces()) AppendFaceLine(out, face, format);
    out += "}\n";
}

MapFormat NativeFormat(const CQBrush& brush)
{
    const bool anyAxes = std::ranges::any_of(brush.faces(), [](const CQFace& f) { return f.axes.has_value(); });
    return anyAxes ? MapFormat::Valve220 : MapFormat::Standard;
}

FaceRead ReadFace(TextCursor& in, CQFace& face)
{
    int line = 0;
    return readFace(in, face, line);
}

BrushReadResult PassBrush(TextCursor& in)
{
    BrushReadResult result;
    PassedFields fields;
    int line = 0;
    FaceRead read = FaceRead::Face;
    while ((read = scanFace(in, fields, line)) == FaceRead::Face) {
    }
    result.hasTextureAxes = fields.textureAxesSeen;
    if (read == FaceRead::Malformed) result.malformedLine = line;
    return result;
}

BrushReadResult BrushFaceReader::read(TextCursor& in, CQBrush& brush)
{
    BrushReadResult result;
    size_t count = 0;
    for (;;) {
        if (count == faces_.size()) faces_.emplace_back();
        CQFace& face = faces_[count];
        int line = 0;
        const FaceRead read = readFace(in, face, line);
        if (read == FaceRead::Malformed) result.malformedLine = line;
        if (read != FaceRead::Face) break;
        result.hasTextureAxes = result.hasTextureAxes || face.axes.has_value();
        ++count;
    }
    brush.TakeFaces({faces_.data(), count}, arena_);
    return result;
}

BrushReadResult ReadBrush(TextCursor& in, CQBrush& brush, DebugOutput& log)
{
    BrushFaceReader reader;
    const BrushReadResult result = reader.read(in, brush);
    brush.BuildWindings(log);
    return result;
}

} // namespace vorn
