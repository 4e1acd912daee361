#pragma once

#include "geometry/brush.h"
#include "render/render_mode.h"
#include "render/scene_cells.h"
#include "render/scene_span.h"
#include "render/scene_vertex.h"
#include "render/scene_writer.h"
#include "render/texture_layers.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vorn {

class CameraProjection;
class CQEntity;
class CQMap;
struct BrushLocation;
class EntityClassList;
struct EntityModel;
class ModelStore;
class Progress;
struct MapNotice;

// What changed in the arrays since the last look: everything, or the listed runs.
struct SceneChanges {
    bool whole = false;
    std::vector<SceneSpan> vertices;
    std::vector<SceneSpan> triangles;
    std::vector<SceneSpan> lines;
};

// Where one brush lies in the scene's arrays. Each part has room for `...Room` elements; what
// the brush does not use of it is filled with empty triangles and lines.
struct BrushRange {
    std::uint32_t firstVertex = 0;
    std::uint32_t vertexRoom = 0;
    std::uint32_t firstTriangleIndex = 0;
    std::uint32_t triangleIndexCount = 0;
    std::uint32_t triangleIndexRoom = 0;
    std::uint32_t firstLineIndex = 0;
    std::uint32_t lineIndexCount = 0;
    std::uint32_t lineIndexRoom = 0;
    std::uint32_t cell = 0; // of the scene's cells, the one it is drawn with
    bool built = false;    // the brush is in the scene
    bool selected = false; // as it was when built
};

// How a brush shows as picked: selected whole, or some of its faces (by place).
struct BrushMarks {
    bool selected = false;
    std::vector<int> faces;
};

// The camera's copy of the map: every brush of at least four polygon faces that is not hidden as
// triangles (and its polygon edges as lines) in scene space, packed into three large arrays, with
// a table of each brush's place by its id, so that a changed brush rewrites only its own part.
// The brushes are laid out cell by cell of a grid over the map, so that a frame draws the runs of
// the cells in view.
class CameraScene {
public:
    static constexpr int kMaxFacePoints = 64;

    // Empties the scene and frees its memory.
    void clear();
    // Builds every brush of the map in the given style, telling `progress` how far it is. Returns
    // how many brushes had a face of more than 64 points: each keeps the faces before that one.
    int rebuild(const CQMap& map, SceneStyle style, TextureSizeSource& sizes, Progress* progress = nullptr);
    // Brings the scene up to what the notice says changed: removed brushes leave it, added, changed
    // and shown ones are built again, reselected ones recoloured, hidden ones emptied. Returns as
    // rebuild does.
    int follow(const CQMap& map, const MapNotice& notice, TextureSizeSource& sizes, Progress* progress = nullptr);

    // The brush's place; not built for a brush the scene does not hold.
    BrushRange range(BrushId id) const;
    SceneStyle style() const { return style_; }

    std::span<const SceneVertex> vertices() const { return mesh_.vertices; }
    std::span<const std::uint32_t> triangleIndices() const { return mesh_.triangles; }
    std::span<const std::uint32_t> lineIndices() const { return mesh_.lines; }
    // The runs of triangle and line indices of the cells that may show in the camera's view:
    // every brush in view is in them, few others are.
    void visibleRuns(const CameraProjection& projection, SceneRuns& out) const;
    const TextureLayers& textures() const { return textures_; }
    // Forgets the texture layers (the pictures changed); the next rebuild numbers them anew.
    void forgetTextures() { textures_.clear(); }
    // Where point entities take their colour in the textured style: their boxes have no texture of
    // their own. Must outlive the scene; until given, they show the missing texture.
    void setEntityClasses(const EntityClassList& classes) { classes_ = &classes; }
    // Where the models of point entities whose class names one come from; until given (and for
    // a model that cannot be had) they show as their boxes. Must outlive the scene.
    void setEntityModels(ModelStore& models) { models_ = &models; }

    // What changed since the last call, and forgets it.
    SceneChanges takeChanges();

private:
    struct Mesh {
        UnfilledVector<SceneVertex> vertices;
        UnfilledVector<std::uint32_t> triangles;
        UnfilledVector<std::uint32_t> lines;

        // A writer of what starts at these places of the arrays.
        SceneWriter writerAt(const SceneRoom& start)
        {
            return {vertices.data() + start.vertices, triangles.data() + start.triangleIndices, lines.data() + start.lineIndices};
        }
    };
    // How an entity's brushes show: as its model (on that layer), in a plain colour, or else in
    // their faces' textures.
    struct EntityLook {
        const EntityModel* model = nullptr;
        std::uint32_t modelLayer = 0;
        std::optional<Vec3> plain;
    };
    struct FaceTexture {
        TextureSizeSource::Size size;
        std::uint32_t layer = 0;
    };
    // Names looked up by their view, without a string made for each look.
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
    };

    EntityLook lookFor(const CQEntity& entity);
    // How each entity of the map shows, by its place, with the textures of its brushes resolved;
    // the look each point entity's brush is built with is noted too.
    std::vector<EntityLook> lookUpEntities(const CQMap& map, TextureSizeSource& sizes);
    // Finds the sizes and layers of the textures of the brush's faces: those not known yet, or
    // all of them `again` (what a brush built alone finds is as of now). Neighbouring faces mostly
    // share a texture: a face named as `looked`, the last face looked at, is not looked up again.
    void resolveTextures(const CQBrush& brush, TextureSizeSource& sizes, bool again, const TextureName*& looked);
    // The room writeBrush takes for the brush; `oversized` tells whether a face was over the point
    // limit (the faces before it are written).
    static SceneRoom roomFor(const EntityLook& look, const CQBrush& brush, bool& oversized);
    // Writes the brush into its room, its vertex numbers starting at `base`; its textures were
    // resolved. Safe on several threads at once, each writing a brush of its own.
    void writeBrush(const CQEntity& entity, const EntityLook& look, const CQBrush& brush, const BrushMarks& marks,
                    std::uint32_t base, SceneWriter& out) const;
    // The colour of a point entity's box in the textured style; none for other entities and styles.
    std::optional<Vec3> plainColour(const CQEntity& entity) const;
    // The model a point entity shows as; none for other entities and when it has none.
    const EntityModel* modelOf(const CQEntity& entity) const;
    // Builds again the point entities whose class or angle changed since they were built.
    int followPointEntityKeys(const CQMap& map, TextureSizeSource& sizes);
    // Builds one brush again (empty while hidden), in place when it still fits, else at the end of
    // the arrays; true when it had a face over the point limit.
    bool updateBrush(const CQMap& map, BrushLocation at, TextureSizeSource& sizes);
    // Gives a built brush's vertices the colours of its selection now; nothing else changes.
    void recolourBrush(const CQMap& map, BrushLocation at);
    // Every brush of the map with the cell it goes to, cell after cell in the order of their
    // keys and in map order within a cell; the cells are numbered in that order.
    std::vector<std::pair<BrushLocation, std::uint32_t>> brushesByCell(const CQMap& map);
    // The cell now holds these vertices too.
    void includeInCell(std::uint32_t cell, std::span<const SceneVertex> vertices);
    void removeBrush(BrushId id);
    BrushRange& rangeFor(BrushId id);
    // Empties the scene, keeping the arrays' memory for the next build.
    void empty();
    void noteChanged(SceneSpan vertices, SceneSpan triangles, SceneSpan lines);

    SceneStyle style_ = SceneStyle::Wireframe;
    Mesh mesh_;
    SceneCells cells_;
    std::vector<BrushRange> ranges_; // by brush id
    size_t builtBrushes_ = 0;
    size_t unusedVertices_ = 0;      // left behind by brushes that moved to the end or went
    TextureLayers textures_;
    const EntityClassList* classes_ = nullptr;
    ModelStore* models_ = nullptr;
    // The class and angle each point entity's brush was built with, by its id: keys that change
    // only how it looks.
    std::unordered_map<BrushId, std::string> looks_;
    // The size and layer of each texture the brushes built since the last rebuild have, by name.
    std::unordered_map<std::string, FaceTexture, NameHash, std::equal_to<>> faceTextures_;
    SceneChanges changes_;
    Mesh scratch_;
};

} // namespace vorn
