#include "render/camera_scene.h"

#include "document/map_document.h"
#include "document/map_notice.h"
#include "entities/entity_class.h"
#include "models/model_store.h"
#include "platform/host.h"
#include "render/camera_projection.h"
#include "render/entity_model_mesh.h"
#include "render/scene_packing.h"
#include "render/texture_projection.h"
#include "platform/parallel_jobs.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vorn {
namespace {

constexpr std::uint8_t kFull = 255;

// A pseudo-random number 0..32767 that stays the same for the same face, so that a rebuilt
// brush keeps its tints.
int faceRandom(BrushId id, int face, int component)
{
    std::uint32_t h = 2166136261u;
    for (const auto v : {id, static_cast<std::uint32_t>(face), static_cast<std::uint32_t>(component)}) {
        h = (h ^ static_cast<std::uint32_t>(v)) * 16777619u;
        h ^= h >> 15;
    }
    return static_cast<int>(h & 0x7FFF);
}

std::array<std::uint8_t, 3> faceColour(SceneStyle style, bool selected, const std::optional<Vec3>& plain, BrushId id,
                                       int face)
{
    if (selected) return {kFull, 0, 0};
    if (plain) return {PackColour(plain->x), PackColour(plain->y), PackColour(plain->z)};
    switch (style) {
    case SceneStyle::Wireframe:
        return {0, 0, kFull};
    case SceneStyle::Textured:
        return {kFull, kFull, kFull};
    case SceneStyle::Tinted:
        break;
    }
    std::array<std::uint8_t, 3> tint{};
    for (int c = 0; c < 3; ++c) {
        tint[static_cast<size_t>(c)] = PackColour(0.5f + 0.5f * static_cast<float>(faceRandom(id, face, c)) / 32767.0f);
    }
    return tint;
}

void markEmpty(std::span<std::uint32_t> indices, std::uint32_t first, std::uint32_t count, std::uint32_t vertex)
{
    std::fill_n(indices.begin() + first, count, vertex);
}

std::string lookOf(const CQEntity& entity)
{
    return entity.className() + '\n' + std::string(entity.GetValue("\"angle\""));
}

std::array<std::uint8_t, 3> modelColour(SceneStyle style, bool selected)
{
    if (selected) return {kFull, 0, 0};
    if (style == SceneStyle::Wireframe) return {0, 0, kFull};
    return {kFull, kFull, kFull};
}

BrushMarks marksOf(const CQMap& map, BrushId id)
{
    BrushMarks marks{map.isSelected(id), {}};
    if (map.hasSelectedFaces()) marks.faces = map.selectedFacesOf(id);
    return marks;
}

// Hands `show` the faces of a brush that the scene shows, in the order their corners lie in its
// arrays, up to a face over the point limit: true when there is one. A brush that is no solid
// shows nothing.
template <typename Show>
bool forEachShownFace(const CQBrush& brush, Show show)
{
    if (brush.CountFaces() < 4) return false;
    for (int f = 0; f < brush.numfaces(); ++f) {
        const CQFace& face = brush.face(f);
        if (!face.winding) continue;
        if (face.winding->numpoints() > CameraScene::kMaxFacePoints) return true;
        show(f, face);
    }
    return false;
}

std::array<std::uint8_t, 3> shownFaceColour(SceneStyle style, const BrushMarks& marks, const std::optional<Vec3>& plain,
                                            BrushId id, int face)
{
    return faceColour(style, marks.selected || std::ranges::find(marks.faces, face) != marks.faces.end(), plain, id, face);
}

// The box around the vertices; none for none.
std::optional<Bounds> boundsOf(std::span<const SceneVertex> vertices)
{
    std::optional<Bounds> box;
    for (const SceneVertex& v : vertices) {
        const Vec3 p{v.position[0], v.position[1], v.position[2]};
        Include(box, {p, p});
    }
    return box;
}

// The whole room a brush has in the arrays.
SceneRun roomOf(const BrushRange& range)
{
    return {{range.firstTriangleIndex, range.triangleIndexRoom}, {range.firstLineIndex, range.lineIndexRoom}};
}

// Room for `count` elements and a sixteenth more, so that brushes that move to the end of the
// arrays seldom have them copied whole; growing by doubling would take as much memory again.
template <typename T>
void reserveWithSpare(UnfilledVector<T>& elements, size_t count)
{
    if (count > elements.capacity()) elements.reserve(count + count / 16);
}

bool hasRoom(const BrushRange& range)
{
    return range.triangleIndexRoom > 0 || range.lineIndexRoom > 0;
}

} // namespace

void CameraScene::clear()
{
    mesh_ = {};
    empty();
}

void CameraScene::empty()
{
    mesh_.vertices.clear();
    mesh_.triangles.clear();
    mesh_.lines.clear();
    ranges_.clear();
    cells_.clear();
    looks_.clear();
    builtBrushes_ = 0;
    unusedVertices_ = 0;
    changes_ = {};
    changes_.whole = true;
}

std::optional<Vec3> CameraScene::plainColour(const CQEntity& entity) const
{
    if (style_ != SceneStyle::Textured || entity.isModifiable() || !classes_) return std::nullopt;
    const EntityClass& entityClass = classes_->find(entity.className());
    if (!entityClass.isValid()) return std::nullopt;
    return entityClass.color();
}

const EntityModel* CameraScene::modelOf(const CQEntity& entity) const
{
    if (entity.isModifiable() || !classes_ || !models_) return nullptr;
    const std::string& path = classes_->find(entity.className()).model().path;
    return path.empty() ? nullptr : models_->model(path).get();
}

CameraScene::EntityLook CameraScene::lookFor(const CQEntity& entity)
{
    const EntityModel* model = modelOf(entity);
    return {model, model ? textures_.layerFor(model->skin) : 0, plainColour(entity)};
}

void CameraScene::resolveTextures(const CQBrush& brush, TextureSizeSource& sizes, bool again, const TextureName*& looked)
{
    for (const CQFace& face : brush.faces()) {
        if (looked && *looked == face.texture) continue;
        looked = &face.texture;
        const auto known = faceTextures_.find(face.texture.view());
        if (known != faceTextures_.end() && !again) continue;
        const FaceTexture texture{sizes.textureSize(face.texture), textures_.layerFor(face.texture)};
        if (known != faceTextures_.end()) {
            known->second = texture;
        } else {
            faceTextures_.emplace(face.texture.str(), texture);
        }
    }
}

SceneRoom CameraScene::roomFor(const EntityLook& look, const CQBrush& brush, bool& oversized)
{
    if (look.model) return ModelRoom(*look.model);
    SceneRoom room;
    oversized = forEachShownFace(brush, [&](int, const CQFace& face) {
        const auto points = static_cast<std::uint32_t>(face.winding->numpoints());
        room += {points, 3 * (points - 2), 2 * points};
    });
    return room;
}

void CameraScene::writeBrush(const CQEntity& entity, const EntityLook& look, const CQBrush& brush,
                             const BrushMarks& marks, std::uint32_t base, SceneWriter& out) const
{
    const bool selected = marks.selected;
    if (look.model) {
        AppendModelMesh(*look.model, PlacementOf(entity), modelColour(style_, selected), look.modelLayer, base, out);
        return;
    }
    const TextureName* foundName = nullptr;
    const FaceTexture* texture = nullptr;
    std::uint32_t next = base;
    forEachShownFace(brush, [&](int f, const CQFace& face) {
        if (!look.plain && (!foundName || *foundName != face.texture)) {
            texture = &faceTextures_.find(face.texture.view())->second;
            foundName = &face.texture;
        }
        const TextureProjection projection(face, texture ? texture->size : TextureSizeSource::Size{});
        const std::uint32_t layer = look.plain ? kUntexturedLayer : texture->layer;
        const Vec3 n = MapToScene(face.plane.normal);
        const auto colour = shownFaceColour(style_, marks, look.plain, brush.id(), f);
        const auto count = static_cast<std::uint32_t>(face.winding->numpoints());
        Vec3 sum;
        for (const Vec3& p : face.winding->points()) sum += p;
        const Vec3 centre = MapToScene(sum * (1.0f / static_cast<float>(count)));
        for (const Vec3& p : face.winding->points()) {
            const TexCoord uv = projection.at(p);
            out.corner(PackCorner({MapToScene(p), centre, uv.s, uv.t, n, false, colour, layer}));
        }
        for (std::uint32_t i = 1; i + 1 < count; ++i) out.triangle(next, next + i, next + i + 1);
        for (std::uint32_t i = 0; i < count; ++i) out.line(next + i, next + (i + 1) % count);
        next += count;
    });
}

void CameraScene::recolourBrush(const CQMap& map, BrushLocation at)
{
    const CQEntity& entity = map.entity(at.entity);
    const CQBrush& brush = map.brush(at);
    BrushRange& range = rangeFor(brush.id());
    const BrushMarks marks = marksOf(map, brush.id());
    range.selected = marks.selected;
    if (map.isHidden(brush)) return;
    const auto paint = [](SceneVertex* first, size_t count, const std::array<std::uint8_t, 3>& colour) {
        for (SceneVertex* v = first; v != first + count; ++v) std::copy(colour.begin(), colour.end(), v->colour);
    };
    SceneVertex* next = mesh_.vertices.data() + range.firstVertex;
    if (modelOf(entity)) {
        paint(next, range.vertexRoom, modelColour(style_, marks.selected));
    } else {
        const std::optional<Vec3> plain = plainColour(entity);
        forEachShownFace(brush, [&](int f, const CQFace& face) {
            const auto points = static_cast<size_t>(face.winding->numpoints());
            paint(next, points, shownFaceColour(style_, marks, plain, brush.id(), f));
            next += points;
        });
    }
    noteChanged({range.firstVertex, range.vertexRoom}, {}, {});
}

int CameraScene::rebuild(const CQMap& map, SceneStyle style, TextureSizeSource& sizes, Progress* progress)
{
    // The arrays keep their memory: filling fresh memory costs more than building the brushes.
    empty();
    faceTextures_.clear();
    style_ = style;
    const auto order = brushesByCell(map);
    // What the writing looks up is found first, so that the brushes can be written on every core.
    const std::vector<EntityLook> looks = lookUpEntities(map, sizes);
    const auto lookOfBrush = [&](size_t i) -> const EntityLook& { return looks[static_cast<size_t>(order[i].first.entity)]; };

    // Each brush's room, and from them where each starts.
    std::vector<SceneRoom> starts(order.size() + 1);
    std::vector<std::uint8_t> oversized(order.size());
    RunJobs(order.size(), false, [&](size_t i, size_t, DebugOutput&) {
        const CQBrush& brush = map.brush(order[i].first);
        bool over = false;
        if (!map.isHidden(brush)) starts[i + 1] = roomFor(lookOfBrush(i), brush, over);
        oversized[i] = over ? 1 : 0;
    });
    BrushId lastId = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        starts[i + 1] += starts[i];
        lastId = std::max(lastId, map.brush(order[i].first).id());
    }
    if (!order.empty()) rangeFor(lastId);
    builtBrushes_ = order.size();
    const SceneRoom& whole = starts.back();
    reserveWithSpare(mesh_.vertices, whole.vertices);
    reserveWithSpare(mesh_.triangles, whole.triangleIndices);
    reserveWithSpare(mesh_.lines, whole.lineIndices);
    mesh_.vertices.resize(whole.vertices);
    mesh_.triangles.resize(whole.triangleIndices);
    mesh_.lines.resize(whole.lineIndices);

    // Written a run of brushes at a time, each run shared among the cores, with the progress told
    // between runs.
    constexpr size_t kBrushesAtATime = 2048;
    std::vector<std::optional<Bounds>> boxes(order.size());
    for (size_t first = 0; first < order.size(); first += kBrushesAtATime) {
        const size_t last = std::min(order.size(), first + kBrushesAtATime);
        RunJobs(last - first, false, [&](size_t job, size_t, DebugOutput&) {
            const size_t i = first + job;
            const CQBrush& brush = map.brush(order[i].first);
            const SceneRoom& start = starts[i];
            const SceneRoom& end = starts[i + 1];
            const BrushMarks marks = marksOf(map, brush.id());
            const std::uint32_t triangles = end.triangleIndices - start.triangleIndices;
            const std::uint32_t lines = end.lineIndices - start.lineIndices;
            ranges_[brush.id()] = {start.vertices, end.vertices - start.vertices, start.triangleIndices, triangles, triangles,
                                   start.lineIndices, lines, lines, order[i].second, true, marks.selected};
            if (map.isHidden(brush)) return;
            SceneWriter out = mesh_.writerAt(start);
            writeBrush(map.entity(order[i].first.entity), lookOfBrush(i), brush, marks, start.vertices, out);
            boxes[i] = boundsOf(std::span(mesh_.vertices).subspan(start.vertices, end.vertices - start.vertices));
        });
        if (progress) progress->report(last, order.size());
    }

    for (size_t i = 0; i < order.size();) {
        const std::uint32_t cell = order[i].second;
        const size_t firstBrush = i;
        for (; i < order.size() && order[i].second == cell; ++i) {
            if (boxes[i]) cells_.include(cell, *boxes[i]);
        }
        const SceneRoom& from = starts[firstBrush];
        const SceneRoom& to = starts[i];
        cells_.setBuiltRun(cell, {{from.triangleIndices, to.triangleIndices - from.triangleIndices},
                                  {from.lineIndices, to.lineIndices - from.lineIndices}});
    }
    return static_cast<int>(std::ranges::count(oversized, 1));
}

std::vector<CameraScene::EntityLook> CameraScene::lookUpEntities(const CQMap& map, TextureSizeSource& sizes)
{
    std::vector<EntityLook> looks;
    looks.reserve(static_cast<size_t>(map.EntityCount()));
    const TextureName* looked = nullptr;
    for (int e = 0; e < map.EntityCount(); ++e) {
        const CQEntity& entity = map.entity(e);
        looks.push_back(lookFor(entity));
        if (!entity.isModifiable()) {
            for (const CQBrush& brush : entity.brushes()) looks_[brush.id()] = lookOf(entity);
        }
        if (looks.back().plain || looks.back().model) continue;
        for (const CQBrush& brush : entity.brushes()) resolveTextures(brush, sizes, false, looked);
    }
    return looks;
}

std::vector<std::pair<BrushLocation, std::uint32_t>> CameraScene::brushesByCell(const CQMap& map)
{
    std::vector<SceneCells::Key> keys;
    for (int e = 0; e < map.EntityCount(); ++e) {
        for (const CQBrush& brush : map.entity(e).brushes()) keys.push_back(SceneCells::keyOf(brush.bounds()));
    }
    std::vector<SceneCells::Key> sorted = keys;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    for (const SceneCells::Key key : sorted) cells_.cell(key);

    // Counted into place: each cell's brushes start after those of the cells before it.
    std::vector<size_t> next(sorted.size() + 1, 0);
    for (SceneCells::Key& key : keys) {
        key = cells_.cell(key);
        ++next[key + 1];
    }
    for (size_t c = 1; c < next.size(); ++c) next[c] += next[c - 1];
    std::vector<std::pair<BrushLocation, std::uint32_t>> order(keys.size());
    size_t i = 0;
    for (int e = 0; e < map.EntityCount(); ++e) {
        for (int b = 0; b < map.entity(e).brushCount(); ++b, ++i) {
            const auto cell = static_cast<std::uint32_t>(keys[i]);
            order[next[cell]++] = {{e, b}, cell};
        }
    }
    return order;
}

void CameraScene::includeInCell(std::uint32_t cell, std::span<const SceneVertex> vertices)
{
    if (const auto box = boundsOf(vertices)) cells_.include(cell, *box);
}

void CameraScene::visibleRuns(const CameraProjection& projection, SceneRuns& out) const
{
    cells_.collectVisible(projection.frustum(), out);
}

int CameraScene::follow(const CQMap& map, const MapNotice& notice, TextureSizeSource& sizes, Progress* progress)
{
    // Past a quarter of the scene, building it whole is quicker than brush by brush. Brushes only
    // selected or deselected are recoloured, which is quick whatever their number.
    const size_t touched = notice.added.size() + notice.changed.size() + notice.shownOrHidden.size();
    if (notice.reset || touched > builtBrushes_ / 4 + 64) return rebuild(map, style_, sizes, progress);
    for (const BrushId id : notice.removed) removeBrush(id);
    int oversized = 0;
    const auto update = [&](BrushId id) {
        const BrushLocation at = map.locate(id);
        if (at.valid() && updateBrush(map, at, sizes)) ++oversized;
    };
    for (const auto* ids : {&notice.added, &notice.changed, &notice.shownOrHidden}) {
        for (const BrushId id : *ids) update(id);
    }
    for (const BrushId id : notice.reselected) {
        const BrushLocation at = map.locate(id);
        if (!at.valid()) continue;
        if (range(id).built) {
            recolourBrush(map, at);
        } else if (updateBrush(map, at, sizes)) {
            ++oversized;
        }
    }
    if (notice.keysChanged) oversized += followPointEntityKeys(map, sizes);
    // Brushes that grew or went leave unused room behind; past half the arrays, start afresh.
    constexpr size_t kFewVertices = 65536;
    if (unusedVertices_ > kFewVertices && unusedVertices_ > mesh_.vertices.size() / 2) return rebuild(map, style_, sizes);
    return oversized;
}

int CameraScene::followPointEntityKeys(const CQMap& map, TextureSizeSource& sizes)
{
    int oversized = 0;
    for (int e = 0; e < map.EntityCount(); ++e) {
        const CQEntity& entity = map.entity(e);
        if (entity.isModifiable()) continue;
        const std::string look = lookOf(entity);
        for (int b = 0; b < entity.brushCount(); ++b) {
            const auto built = looks_.find(entity.brushes()[b].id());
            if (built == looks_.end() || built->second == look) continue;
            if (updateBrush(map, {e, b}, sizes)) ++oversized;
        }
    }
    return oversized;
}

BrushRange& CameraScene::rangeFor(BrushId id)
{
    if (id >= ranges_.size()) ranges_.resize(static_cast<size_t>(id) + 1);
    return ranges_[id];
}

BrushRange CameraScene::range(BrushId id) const
{
    return id < ranges_.size() ? ranges_[id] : BrushRange{};
}

void CameraScene::removeBrush(BrushId id)
{
    if (id >= ranges_.size() || !ranges_[id].built) return;
    BrushRange& range = ranges_[id];
    markEmpty(mesh_.triangles, range.firstTriangleIndex, range.triangleIndexRoom, range.firstVertex);
    markEmpty(mesh_.lines, range.firstLineIndex, range.lineIndexRoom, range.firstVertex);
    noteChanged({}, {range.firstTriangleIndex, range.triangleIndexRoom}, {range.firstLineIndex, range.lineIndexRoom});
    if (hasRoom(range)) cells_.dropRun(range.cell, roomOf(range));
    unusedVertices_ += range.vertexRoom;
    --builtBrushes_;
    range = {};
    looks_.erase(id);
}

bool CameraScene::updateBrush(const CQMap& map, BrushLocation at, TextureSizeSource& sizes)
{
    const CQEntity& entity = map.entity(at.entity);
    const CQBrush& brush = map.brush(at);
    const BrushMarks marks = marksOf(map, brush.id());
    BrushRange& range = rangeFor(brush.id());
    const std::uint32_t cell = cells_.cell(SceneCells::keyOf(brush.bounds()));
    const EntityLook look = lookFor(entity);
    if (!look.plain && !look.model) {
        const TextureName* looked = nullptr;
        resolveTextures(brush, sizes, true, looked);
    }
    bool oversized = false;
    const bool hidden = map.isHidden(brush);
    const SceneRoom room = hidden ? SceneRoom{} : roomFor(look, brush, oversized);
    scratch_.vertices.resize(room.vertices);
    scratch_.triangles.resize(room.triangleIndices);
    scratch_.lines.resize(room.lineIndices);

    // Built as if in place; moved to the end when it does not fit or went to another cell.
    const std::uint32_t builtBase = range.firstVertex;
    SceneWriter out = scratch_.writerAt({});
    if (!hidden) writeBrush(entity, look, brush, marks, builtBase, out);
    const auto vertexCount = static_cast<std::uint32_t>(scratch_.vertices.size());
    if (!range.built || range.cell != cell || vertexCount > range.vertexRoom || scratch_.triangles.size() > range.triangleIndexRoom ||
        scratch_.lines.size() > range.lineIndexRoom) {
        removeBrush(brush.id());
        const auto newBase = static_cast<std::uint32_t>(mesh_.vertices.size());
        const std::uint32_t shift = newBase - builtBase;
        for (std::uint32_t& i : scratch_.triangles) i += shift;
        for (std::uint32_t& i : scratch_.lines) i += shift;
        range.firstVertex = newBase;
        range.vertexRoom = vertexCount;
        range.firstTriangleIndex = static_cast<std::uint32_t>(mesh_.triangles.size());
        range.triangleIndexRoom = static_cast<std::uint32_t>(scratch_.triangles.size());
        range.firstLineIndex = static_cast<std::uint32_t>(mesh_.lines.size());
        range.lineIndexRoom = static_cast<std::uint32_t>(scratch_.lines.size());
        reserveWithSpare(mesh_.vertices, mesh_.vertices.size() + range.vertexRoom);
        reserveWithSpare(mesh_.triangles, mesh_.triangles.size() + range.triangleIndexRoom);
        reserveWithSpare(mesh_.lines, mesh_.lines.size() + range.lineIndexRoom);
        mesh_.vertices.resize(mesh_.vertices.size() + range.vertexRoom);
        mesh_.triangles.resize(mesh_.triangles.size() + range.triangleIndexRoom);
        mesh_.lines.resize(mesh_.lines.size() + range.lineIndexRoom);
        range.cell = cell;
        if (hasRoom(range)) cells_.addRun(cell, roomOf(range));
    }
    includeInCell(cell, scratch_.vertices);

    std::copy(scratch_.vertices.begin(), scratch_.vertices.end(), mesh_.vertices.begin() + range.firstVertex);
    std::copy(scratch_.triangles.begin(), scratch_.triangles.end(), mesh_.triangles.begin() + range.firstTriangleIndex);
    std::copy(scratch_.lines.begin(), scratch_.lines.end(), mesh_.lines.begin() + range.firstLineIndex);
    range.triangleIndexCount = static_cast<std::uint32_t>(scratch_.triangles.size());
    range.lineIndexCount = static_cast<std::uint32_t>(scratch_.lines.size());
    markEmpty(mesh_.triangles, range.firstTriangleIndex + range.triangleIndexCount,
              range.triangleIndexRoom - range.triangleIndexCount, range.firstVertex);
    markEmpty(mesh_.lines, range.firstLineIndex + range.lineIndexCount, range.lineIndexRoom - range.lineIndexCount,
              range.firstVertex);
    range.selected = marks.selected;
    if (!range.built) ++builtBrushes_;
    range.built = true;
    if (!entity.isModifiable()) looks_[brush.id()] = lookOf(entity);

    noteChanged({range.firstVertex, range.vertexRoom}, {range.firstTriangleIndex, range.triangleIndexRoom},
                {range.firstLineIndex, range.lineIndexRoom});
    return oversized;
}

void CameraScene::noteChanged(SceneSpan vertices, SceneSpan triangles, SceneSpan lines)
{
    if (changes_.whole) return;
    // Past this many runs, sending everything again is as quick and keeps the list from growing
    // while nobody takes it.
    constexpr size_t kMostSpans = 4096;
    if (changes_.triangles.size() >= kMostSpans) {
        changes_ = {};
        changes_.whole = true;
        return;
    }
    if (vertices.count > 0) changes_.vertices.push_back(vertices);
    if (triangles.count > 0) changes_.triangles.push_back(triangles);
    if (lines.count > 0) changes_.lines.push_back(lines);
}

SceneChanges CameraScene::takeChanges()
{
    SceneChanges taken = std::move(changes_);
    changes_ = {};
    return taken;
}

} // namespace vorn
