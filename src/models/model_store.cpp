#include "models/model_store.h"

#include "map/ignoring_case.h"
#include "platform/host.h"
#include "textures/default_palette.h"

namespace vorn {
namespace {

constexpr std::string_view kPalettePath = "gfx/palette.lmp";

std::vector<Vec3> triangleNormals(const AliasModel& mesh)
{
    std::vector<Vec3> normals;
    normals.reserve(mesh.triangles.size());
    for (const auto& corners : mesh.triangles) {
        const Vec3 a = mesh.positions[corners[0].vertex];
        const Vec3 b = mesh.positions[corners[1].vertex];
        const Vec3 c = mesh.positions[corners[2].vertex];
        // The game's triangles turn clockwise seen from outside. A triangle without area (a
        // model's frames may squash one flat) faces up rather than nowhere.
        const Vec3 normal = Cross(c - a, b - a);
        normals.push_back(Length(normal) > 0 ? Normalized(normal) : Vec3{0, 0, 1});
    }
    return normals;
}

RgbaImage colouredSkin(const AliasModel& mesh, const CQPalette& palette)
{
    RgbaImage image{mesh.skinWidth, mesh.skinHeight, {}};
    image.rgba.reserve(mesh.skin.size() * 4);
    for (const char index : mesh.skin) {
        const Rgb& colour = palette.colour(static_cast<unsigned char>(index));
        image.rgba.insert(image.rgba.end(), {colour.r, colour.g, colour.b, 255});
    }
    return image;
}

} // namespace

void ModelStore::setFolders(std::vector<std::string> folders)
{
    files_ = GameFiles(std::move(folders));
    palette_.reset();
    models_.clear();
    for (const std::string& problem : files_.archiveProblems()) host_.messageBox("The game archive " + problem + ". It is left out.");
}

std::shared_ptr<const EntityModel> ModelStore::model(std::string_view path)
{
    const std::string key(path);
    const auto known = models_.find(key);
    if (known != models_.end()) return known->second;
    std::shared_ptr<const EntityModel> loaded = load(key);
    models_.emplace(key, loaded);
    return loaded;
}

std::shared_ptr<const EntityModel> ModelStore::load(const std::string& path)
{
    if (!EqualIgnoringCase(std::string_view(path).substr(path.size() < 4 ? 0 : path.size() - 4), ".mdl")) return nullptr;
    std::string failure;
    const std::optional<std::string> bytes = files_.read(path, failure);
    if (!bytes) {
        if (!failure.empty()) host_.messageBox("The model " + path + " could not be read: " + failure + ".");
        return nullptr;
    }
    AliasModelRead read = ReadAliasModel(*bytes);
    if (!read.model) {
        host_.messageBox("The model " + path + " is refused: " + read.failure + ". Its entities show as boxes.");
        return nullptr;
    }
    auto model = std::make_shared<EntityModel>();
    model->normals = triangleNormals(*read.model);
    model->skin = std::make_shared<const RgbaImage>(colouredSkin(*read.model, palette()));
    read.model->skin = {};
    model->mesh = std::move(*read.model);
    return model;
}

const CQPalette& ModelStore::palette()
{
    if (!palette_) {
        std::string failure;
        const std::optional<std::string> bytes = files_.read(kPalettePath, failure);
        palette_ = bytes ? CQPalette::fromBytes(*bytes) : CQPalette();
        if (palette_->count() == 0) palette_ = DefaultPalette();
    }
    return *palette_;
}

} // namespace vorn
