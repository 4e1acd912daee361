#include "editor/editor.h"

#include "entities/bundled_entity_list.h"
#include "geometry/numeric.h"
#include "models/game_files.h"
#include "platform/host.h"
#include "platform/progress_part.h"
#include "textures/texture_archives.h"
#include "ui/camera_start.h"

#include <filesystem>
#include <optional>

namespace vorn {
namespace {

// What to say when the entity list gave no classes; nothing when it is the default list, simply
// absent, for which the bundled classes are meant.
std::optional<std::string> entityListProblem(const std::string& list, bool read)
{
    if (read) return "The entity list " + list + " holds no entity classes; the built-in entity classes are used instead.";
    std::error_code noAnswer;
    const bool absent = !std::filesystem::exists(list, noAnswer) && !noAnswer;
    if (list == EntityClassList::kDefaultFileName && absent) return std::nullopt;
    return "Could not read the entity list " + list + "; the built-in entity classes are used instead.";
}

} // namespace

Editor::Editor(Host& host, Dialogs& dialogs, Preferences preferences)
    : host_(host), dialogs_(dialogs), prefs_(std::move(preferences))
{
    views2D_[1].setOrientation(ViewOrientation::Front);
    views2D_[2].setOrientation(ViewOrientation::Side);
    map_.SetCurrentTexture(prefs_.curTexture);
    map_.textureLock = prefs_.textureLock != 0 ? TextureLock::On : TextureLock::Off;
    panel_.setTexture(map_.currentTexture());
    cameraView_.scene().setEntityClasses(classes_);
    cameraView_.scene().setEntityModels(models_);
    followModelFolders();
    cameraView_.setTextureSources(panel_.textureSizes(), panel_.textureImages());
    map_.addListener(*this);
}

Editor::~Editor()
{
    map_.removeListener(*this);
}

std::optional<std::string> Editor::loadEntityClasses()
{
    const std::string& list = prefs_.entityList;
    std::optional<std::string> problem;
    const EntityListRead read = classes_.loadList(list, host_);
    if (read.filesRead == 0 || classes_.count() == 0) {
        classes_.loadText(BundledEntityList());
        problem = entityListProblem(list, read.filesRead > 0);
    } else if (!read.problems.empty()) {
        problem = read.problems.front();
        for (size_t i = 1; i < read.problems.size(); ++i) *problem += "\n" + read.problems[i];
    }
    // The camera shows point entities in their classes' colours.
    cameraView_.refresh();
    return problem;
}

void Editor::newMap()
{
    map_.NewMap();
}

std::optional<MapReadResult> Editor::openMap(const std::string& path)
{
    const std::unique_ptr<Progress> progress = host_.startProgress("Reading Entity from Map File");
    // The reading, then the views made ready for the new map (the camera's scene above all).
    constexpr size_t kReadingShare = 900;
    ProgressPart reading(progress.get(), 0, kReadingShare);
    ProgressPart preparing(progress.get(), kReadingShare, ProgressPart::kWhole);
    preparingViews_ = &preparing;
    const MapOpening opening = map_.OpenMap(path, classes_, host_, &reading);
    preparingViews_ = nullptr;
    if (opening.failure) {
        host_.messageBox(*opening.failure);
        return std::nullopt;
    }
    for (const std::string& message : ReadReport(opening.read)) host_.messageBox(message);
    showMapMiddle();
    return opening.read;
}

MapReadResult Editor::readMapText(std::string_view text)
{
    const MapReadResult read = map_.ReadMapText(text, classes_, host_, nullptr);
    showMapMiddle();
    return read;
}

bool Editor::saveMap(const std::string& path)
{
    const auto failure = map_.SaveMap(path, author());
    if (failure) host_.messageBox(*failure);
    return !failure;
}

void Editor::showMapMiddle()
{
    const Bounds bounds = map_.GetMapBounds(false);
    const Vec3 middle = map_.GeometryMiddle();
    for (CXYView& view : views2D_) {
        view.growExtents(bounds.mins, bounds.maxs);
        view.centreOn(TruncateToInt(middle[view.axes().right]), TruncateToInt(middle[view.axes().up]));
    }
    PlaceCameraAtStart(map_, workspace_.camera());
    host_.updateViews(ViewFlags::All);
}

const CXYView& Editor::topView() const
{
    for (const CXYView& view : views2D_) {
        if (view.orientation() == ViewOrientation::Top) return view;
    }
    return views2D_[0];
}

GridPlacement Editor::placementAt(MapPoint point) const
{
    return {{static_cast<float>(point.x), static_cast<float>(point.y), 0}, workspace_.snapToGrid(), workspace_.gridSize(),
            map_.textureLock};
}

GridPlacement Editor::pastePlacement() const
{
    return placementAt(topView().mousePosition());
}

GridPlacement Editor::columnPlacement() const
{
    return placementAt(workspace_.zColumn());
}

void Editor::gameFolderChanged()
{
    reloadTextureArchives();
    followModelFolders();
}

void Editor::followModelFolders()
{
    const bool hasWorld = map_.EntityCount() > 0 && map_.entity(0).isWorld();
    std::vector<std::string> folders = GameFolders(prefs_.gameFolder, hasWorld ? MapMods(map_.entity(0)) : std::vector<std::string>());
    if (folders == models_.folders()) return;
    models_.setFolders(std::move(folders));
    cameraView_.texturesChanged();
}

void Editor::reloadTextureArchives()
{
    BusyScope busy(host_);
    ShowArchiveReport(panel_.setWad(), host_);
    // The list is new: the current texture is looked up in it again.
    panel_.setTexture(map_.currentTexture());
    cameraView_.texturesChanged();
    host_.controlPanelChanged();
}

Preferences Editor::preferencesToSave() const
{
    Preferences prefs = prefs_;
    prefs.curTexture = map_.currentTexture();
    prefs.textureLock = map_.textureLock == TextureLock::On ? 1 : 0;
    return prefs;
}

void Editor::followWorldArchives(bool mapIsNew)
{
    if (map_.EntityCount() == 0 || !map_.entity(0).isWorld()) return;
    const std::string_view stored = map_.entity(0).GetValue("\"wad\"");
    // A world made by the first brush of a new map has no "wad" key: the archive in use stays.
    if (stored.empty() && !mapIsNew) return;
    const std::string wad(Unquoted(stored));
    const bool failedBefore = !panel_.textures().archives().isLoaded();
    if (wad == prefs_.wad && !(mapIsNew && failedBefore)) return;
    prefs_.wad = wad;
    reloadTextureArchives();
}

void Editor::followSelection()
{
    std::optional<Bounds> selected;
    for (const BrushLocation at : map_.selectedBrushes()) Include(selected, map_.brush(at).bounds());
    if (selected) workspace_.followSelection(*selected, prefs_.layout != "classic");
}

void Editor::mapChanged(const MapNotice& notice)
{
    cameraView_.follow(notice, preparingViews_);
    // The outlines of another map's brushes would only take room.
    if (notice.reset) workspace_.forgetOutlines();
    if (notice.reset || notice.keysChanged || notice.entitiesChanged) {
        followWorldArchives(notice.reset);
        followModelFolders();
    }
    if (notice.reset || notice.keysChanged || notice.entitiesChanged || notice.currentEntityChanged) {
        panel_.showEntity(map_.GetCurrentEntity());
        host_.controlPanelChanged();
    }
    if (notice.currentTextureChanged) {
        panel_.setTexture(map_.currentTexture());
        host_.controlPanelChanged();
    }
    // The view can scroll over every brush that moved or came.
    std::optional<Bounds> moved;
    for (const auto* ids : {&notice.added, &notice.changed}) {
        for (const BrushId id : *ids) Include(moved, map_.brush(map_.locate(id)).bounds());
    }
    if (moved) {
        for (CXYView& view : views2D_) view.keepInExtents(moved->mins, moved->maxs);
    }
    if (!notice.reselected.empty() || !notice.added.empty()) followSelection();
    host_.updateViews(ViewFlags::Editing);
}

} // namespace vorn
