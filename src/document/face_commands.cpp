#include "document/face_commands.h"

#include "document/map_document.h"

namespace vorn {
namespace {

// One step that changes each selected face with `edit`; nothing when no face is selected.
template <typename Edit>
void editSelectedFaces(CQMap& map, std::string name, Edit edit)
{
    const std::vector<FaceRef> faces = map.selectedFaces();
    if (faces.empty()) return;
    MapChange change(map, std::move(name));
    for (const FaceRef& ref : faces) edit(change.editBrush(map.locate(ref.brush)).face(ref.face));
    change.commit();
}

template <typename Visit>
void forEachFaceOfBrushes(const CQMap& map, const std::vector<BrushLocation>& brushes, Visit visit)
{
    for (const BrushLocation at : brushes) {
        for (int f = 0; f < map.brush(at).numfaces(); ++f) visit(at, f);
    }
}

} // namespace

void SetFacesTexture(CQMap& map, std::string_view name)
{
    editSelectedFaces(map, "Apply Texture", [&](CQFace& face) { face.texture = name; });
}

void SetFacesSurface(CQMap& map, SurfaceField field, double value)
{
    editSelectedFaces(map, "Surface", [&](CQFace& face) { SetSurfaceValue(face, field, value); });
}

void NudgeFaces(CQMap& map, std::array<double, 2> shift, double degrees)
{
    editSelectedFaces(map, degrees != 0 ? "Turn Texture" : "Shift Texture", [&](CQFace& face) {
        SetSurfaceValue(face, SurfaceField::OffsetX, SurfaceValue(face, SurfaceField::OffsetX) + shift[0]);
        SetSurfaceValue(face, SurfaceField::OffsetY, SurfaceValue(face, SurfaceField::OffsetY) + shift[1]);
        if (degrees != 0) SetSurfaceValue(face, SurfaceField::Rotation, SurfaceValue(face, SurfaceField::Rotation) + degrees);
    });
}

void ResetFaces(CQMap& map)
{
    editSelectedFaces(map, "Reset Texture", ResetSurface);
}

int FitFaces(CQMap& map, TextureSizeSource& sizes, std::array<double, 2> counts)
{
    int unfitted = 0;
    editSelectedFaces(map, "Fit Texture", [&](CQFace& face) {
        if (!FitSurface(face, sizes.textureSize(face.texture), counts)) ++unfitted;
    });
    return unfitted;
}

void AlignFacesToFace(CQMap& map, TextureSizeSource& sizes)
{
    editSelectedFaces(map, "Align to Face",
                      [&](CQFace& face) { AlignSurfaceToFace(face, sizes.textureSize(face.texture)); });
}

std::optional<SurfaceTexture> CopyFaceTexture(const CQMap& map)
{
    const std::vector<FaceRef> faces = map.selectedFaces();
    if (faces.size() != 1) return std::nullopt;
    return SurfaceOf(map.brush(map.locate(faces[0].brush)).face(faces[0].face));
}

void PasteFaceTexture(CQMap& map, const SurfaceTexture& surface)
{
    if (map.hasSelectedFaces()) {
        editSelectedFaces(map, "Paste Texture", [&](CQFace& face) { PasteSurface(face, surface); });
        return;
    }
    const std::vector<BrushLocation> brushes = map.changeableSelection();
    if (brushes.empty()) return;
    MapChange change(map, "Paste Texture");
    forEachFaceOfBrushes(map, brushes, [&](BrushLocation at, int f) { PasteSurface(change.editBrush(at).face(f), surface); });
    change.commit();
}

int ReplaceTexture(CQMap& map, std::string_view from, std::string_view to, bool selectionOnly)
{
    std::vector<FaceRef> faces;
    const auto take = [&](BrushLocation at, int f) {
        if (map.brush(at).face(f).texture == from) faces.push_back({map.brush(at).id(), f});
    };
    if (!selectionOnly) {
        for (int e = 0; e < map.EntityCount(); ++e) {
            if (!map.entity(e).isModifiable()) continue;
            for (int b = 0; b < static_cast<int>(map.entity(e).brushes().size()); ++b) {
                for (int f = 0; f < map.brush({e, b}).numfaces(); ++f) take({e, b}, f);
            }
        }
    } else if (map.hasSelectedFaces()) {
        for (const FaceRef& ref : map.selectedFaces()) take(map.locate(ref.brush), ref.face);
    } else {
        forEachFaceOfBrushes(map, map.changeableSelection(), take);
    }
    if (faces.empty() || from == to) return 0;
    MapChange change(map, "Replace Texture");
    for (const FaceRef& ref : faces) change.editBrush(map.locate(ref.brush)).face(ref.face).texture = to;
    change.commit();
    return static_cast<int>(faces.size());
}

int SelectFacesWithTexture(CQMap& map, std::string_view name)
{
    SelectionState state{map.currentIndex(), {}, {}};
    for (int e = 0; e < map.EntityCount(); ++e) {
        if (!map.entity(e).isModifiable()) continue;
        for (const CQBrush& brush : map.entity(e).brushes()) {
            for (int f = 0; f < brush.numfaces(); ++f) {
                if (brush.face(f).texture == name) state.faces.push_back({brush.id(), f});
            }
        }
    }
    map.select(state);
    return static_cast<int>(state.faces.size());
}

int SelectBrushesWithTexture(CQMap& map, std::string_view name)
{
    const int current = map.currentIndex();
    SelectionState state{current, {}, {}};
    if (current >= 0 && map.entity(current).isModifiable()) {
        for (const CQBrush& brush : map.entity(current).brushes()) {
            for (const CQFace& face : brush.faces()) {
                if (face.texture != name) continue;
                state.brushes.push_back(brush.id());
                break;
            }
        }
    }
    map.select(state);
    return static_cast<int>(state.brushes.size());
}

} // namespace vorn
