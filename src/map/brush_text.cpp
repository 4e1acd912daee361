#include "map/brush_text.h"

#include "geometry/brush.h"
#include "geometry/numeric.h"
#include "map/text_reader.h"

#include <charconv>

namespace vorn {
namespace {

void appendInt(std::string& out, int value)
{
    char text[16];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.append(text, result.ptr);
}

// Six decimals, no digit before the point below 1: 1.000000, .500000, -2.250000.
void appendScale(std::string& out, float value)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, static_cast<double>(value), std::chars_format::fixed, 6);
    std::string_view digits(text, static_cast<size_t>(result.ptr - text));
    if (digits.starts_with("-0.")) {
        out += '-';
        digits.remove_prefix(2);
    } else if (digits.starts_with("0.")) {
        digits.remove_prefix(1);
    }
    out += digits;
}

} // namespace

void AppendFaceLine(std::string& out, const CQFace& face)
{
    for (const Vec3& p : face.planepts) {
        out += "( ";
        for (int axis = 0; axis < 3; ++axis) {
            appendInt(out, TruncateToInt(p[axis]));
            out += ' ';
        }
        out += ") ";
    }
    out += face.texture;
    out += ' ';
    appendInt(out, TruncateToInt(face.shift[0]));
    out += ' ';
    appendInt(out, TruncateToInt(face.shift[1]));
    out += ' ';
    appendInt(out, TruncateToInt(face.rotation));
    out += ' ';
    appendScale(out, face.scale[0]);
    out += ' ';
    appendScale(out, face.scale[1]);
    out += '\n';
}

void AppendBrush(std::string& out, const CQBrush& brush)
{
    out += "{\n";
    for (const CQFace& face : brush.faces()) {
        if (face.winding) AppendFaceLine(out, face);
    }
    out += "}\n";
}

bool ReadFace(TextCursor& in, CQFace& face)
{
    if (nextToken(in) != "(") return false;
    for (int i = 0; i < 3; ++i) {
        if (i > 0) nextToken(in); // opening parenthesis, not examined
        for (int axis = 0; axis < 3; ++axis) face.planepts[static_cast<size_t>(i)][axis] = static_cast<float>(ParseInt(nextToken(in)));
        nextToken(in); // closing parenthesis, not examined
    }
    face.texture = nextToken(in);
    face.shift[0] = static_cast<float>(ParseFloat(nextToken(in)));
    face.shift[1] = static_cast<float>(ParseFloat(nextToken(in)));
    face.rotation = static_cast<float>(ParseFloat(nextToken(in)));
    face.scale[0] = static_cast<float>(ParseFloat(nextToken(in)));
    face.scale[1] = static_cast<float>(ParseFloat(nextToken(in)));
    face.winding.reset();
    return true;
}

BrushReadResult ReadBrush(TextCursor& in, CQBrush& brush, DebugOutput& log)
{
    BrushReadResult result;
    brush.Clear();
    CQFace face;
    while (ReadFace(in, face)) {
        if (!brush.AddFace(face, log)) ++result.facesDropped;
    }
    brush.BuildWindings(log);
    return result;
}

} // namespace vorn
