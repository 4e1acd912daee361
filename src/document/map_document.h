#pragma once

#include "geometry/vec3.h"
#include "map/entity.h"
#include "map/map_file.h"
#include "platform/dialogs.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

class Editor;
class TextureSizeSource;

// The open map: its entities (the world first), which one is current, and the settings the
// editing commands share. There is no stored reference to the current entity: it is the first
// entity whose current flag is set, and the selection lives in it.
class CQMap {
public:
    explicit CQMap(Editor& editor);
    CQMap(const CQMap&) = delete;
    CQMap& operator=(const CQMap&) = delete;

    // --- the file ---
    // Forgets the map and starts an empty one.
    void NewMap();
    // Reads the map file; nothing (after telling the user) when it cannot be read at all. A
    // damaged file keeps what was read and leaves the map without a file name.
    std::optional<MapReadResult> OpenMap(const std::string& path);
    // Reads a map text into the (new, empty) map and runs the after-read steps.
    MapReadResult ReadMapText(std::string_view text);
    // Writes atomically; false (after telling the user) when the file could not be written.
    bool SaveMap(const std::string& path);
    const std::string& pathName() const { return pathName_; }
    // The file name part of the path, or "Untitled".
    std::string title() const;
    bool IsModifiedSinceSave() const { return modifiedSinceSave_; }
    // The face format the map was read in and is saved in; a new map is standard.
    MapFormat format() const { return format_; }
    void setModified() { modifiedSinceSave_ = true; }

    // --- shared settings ---
    RotationSettings rotation;
    ScaleSettings scale;
    float GetMaxZ() const { return maxZ_; }
    float GetMinZ() const { return minZ_; }
    void SetMaxZ(float height);
    void SetMinZ(float height);
    const std::string& currentTexture() const { return currentTexture_; }
    void SetCurrentTexture(std::string_view name);

    // --- entities ---
    int EntityCount() const { return static_cast<int>(entities_.size()); }
    CQEntity& entity(int i) { return *entities_[static_cast<size_t>(i)]; }
    const CQEntity& entity(int i) const { return *entities_[static_cast<size_t>(i)]; }
    CQEntity* GetCurrentEntity();
    int currentIndex() const;
    bool SetCurrentEntityByIndex(int index);
    // Makes the entity whose brush the vertical segment hits current, toggling that brush.
    bool SelectEntityAt(Vec3 start, Vec3 end);
    // Appends a copy and makes it current.
    void AddEntity(const CQEntity& entity);
    // Takes the current entity (never the world) out of the map; none when there is none.
    std::unique_ptr<CQEntity> TakeCurrentEntity();
    // Appends a brush made elsewhere to the current entity (creating the world in an empty map).
    void AddBrush(const CQBrush& brush);
    void DeleteSelection();
    void DeselectAll();
    void MoveSelection(Vec3 offset);
    void ApplyCurrentTexture();
    void AlignSelectionTextures(TextureSizeSource& sizes);

    // Brushes counted for the file (point entities' boxes excluded).
    int CountBrushes() const;
    // Selected brushes over all entities.
    int countSelectedBrushes() const;
    // The first selected brush (entities and brushes in order) and its entity.
    struct BrushRef {
        CQEntity* entity = nullptr;
        int index = -1;
        CQBrush* brush() const { return entity ? &entity->brushes()[static_cast<size_t>(index)] : nullptr; }
    };
    BrushRef firstSelectedBrush();
    // The selected brush when exactly one brush of the map is selected.
    BrushRef onlySelectedBrush();

    struct Bounds {
        Vec3 mins;
        Vec3 maxs;
    };
    Bounds GetMapBounds(bool recompute);
    void RecomputeMapBounds();
    // The middle of the map's geometry: the bounds of the brushes the file holds, or of every
    // entity's box when there are none; the origin for an empty map. The XY view opens there and
    // Center on Map goes there, so that the brushes are in view whatever the point entities do.
    Vec3 GeometryMiddle() const;

    // The comment header of the map's file at the given path, dated now.
    MapHeader FileHeader(const std::string& path) const;
    // Writes the map text (header and every entity) for the given path.
    std::string WriteMapText(const std::string& path) const;

private:
    void tellPanel();

    Editor& editor_;
    std::vector<std::unique_ptr<CQEntity>> entities_;
    std::string pathName_;
    bool modifiedSinceSave_ = false;
    MapFormat format_ = MapFormat::Standard;
    Vec3 mapMins_{-2000, -2000, -4096};
    Vec3 mapMaxs_{2000, 2000, 4096};
    float maxZ_ = 16;
    float minZ_ = 0;
    std::string currentTexture_;
};

} // namespace vorn
