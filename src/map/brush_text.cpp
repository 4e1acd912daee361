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

// Takes the numbers of a face line; one that cannot be taken as written makes the face malformed.
struct FaceNumbers {
    TextCursor& in;
    bool malformed = false;

    double taken(const NumberToken& token)
    {
        malformed = malformed || !token.value;
        return token.value.value_or(0);
    }
    double next() { return taken(NextNumber(in)); }
    // A texture number, with the form it is written in.
    double textured(const NumberToken& token, NumberForm& form)
    {
        form = FormOf(token.text);
        return taken(token);
    }
    double nextTextured(NumberForm& form) { return textured(NextNumber(in), form); }
};

// Reads one face line in either format. `line` becomes the line the face, or what ends the faces,
// is on.
FaceRead readFace(TextCursor& in, CQFace& face, int& line)
{
    face.winding.reset();
    const std::string_view first = nextToken(in);
    line = LineOfTokenRead(in, first);
    if (first != "(") return first == "}" ? FaceRead::End : FaceRead::Malformed;
    FaceNumbers numbers{in};
    PlanePoints::Points points;
    for (size_t i = 0; i < 3; ++i) {
        if (i > 0) nextToken(in); // opening parenthesis, not examined
        for (int axis = 0; axis < 3; ++axis) points[i][axis] = numbers.next();
        nextToken(in); // closing parenthesis, not examined
    }
    face.planepts = points;
    const std::string_view texture = nextToken(in);
    face.texture = texture;
    numbers.malformed = numbers.malformed || texture.empty();
    const std::string_view next = nextToken(in);
    if (next == "[") {
        if (!face.axes) face.axes = TextureAxes{};
        face.shift = {};
        face.forms.shift = {};
        for (size_t k = 0; k < 2; ++k) {
            if (k > 0) nextToken(in); // opening bracket, not examined
            for (int axis = 0; axis < 3; ++axis) face.axes->axis[k][axis] = numbers.next();
            face.axes->offset[k] = numbers.next();
            nextToken(in); // closing bracket, not examined
        }
    } else {
        face.axes.reset();
        face.shift[0] = numbers.textured({next, ParseNumber(next)}, face.forms.shift[0]);
        face.shift[1] = numbers.nextTextured(face.forms.shift[1]);
    }
    face.rotation = numbers.nextTextured(face.forms.rotation);
    for (size_t k = 0; k < 2; ++k) face.scale[k] = numbers.nextTextured(face.forms.scale[k]);
    return numbers.malformed ? FaceRead::Malformed : FaceRead::Face;
}

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

bool PassBrush(TextCursor& in)
{
    // Most brushes have no comment, and their first "}" ends them: found by searching for it.
    const std::string_view rest = in.rest();
    const char* const begin = rest.data();
    const char* const end = begin + rest.size();
    const auto* close = static_cast<const char*>(std::memchr(begin, '}', rest.size()));
    const bool closeStandsAlone = close && close + 1 != end && IsBlank(static_cast<unsigned char>(close[1])) &&
                                  (close == begin || IsBlank(static_cast<unsigned char>(close[-1])));
    if (closeStandsAlone && !std::memchr(begin, '/', static_cast<size_t>(close - begin))) {
        in.advance(static_cast<size_t>(close + 2 - begin)); // the blank after it too, as after a token
        return true;
    }
    for (std::string_view token = nextToken(in); !token.empty(); token = nextToken(in)) {
        if (token == "}") return true;
    }
    return false;
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
