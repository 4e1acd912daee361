#pragma once

#include "geometry/brush.h"
#include "geometry/vec3.h"
#include "map/map_format.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

class EntityClass;
class EntityClassList;
struct EntityBlock;
class TextCursor;
class Host;

// Q(x): the text x between double quotes, the way keys and values are stored.
std::string Quoted(std::string_view text);
// The text without its first and last character (a stored value without its quotes).
std::string_view Unquoted(std::string_view stored);
// The first three numbers of a stored value, split at quotes and blanks; missing ones are 0.
Vec3 ParseVector(std::string_view stored);
// "x y z" with each component truncated to a whole number, as origins are stored.
std::string OriginText(Vec3 v);

// One key/value pair, both held exactly as in the map file, quotes included.
struct CQKeyValue {
    std::string key;
    std::string value;

    friend bool operator==(const CQKeyValue&, const CQKeyValue&) = default;
};

// How reading one entity block ended.
struct EntityReadResult {
    enum Status {
        Complete,  // the block ended with its closing brace
        EndOfFile, // nothing but blanks and comments before the end of the file
        NoBlock,   // something other than "{" where a block should begin
        Discarded, // an unexpected character or the end of the file inside the block
    } status = EndOfFile;
    int line = 0;                          // line where reading stopped
    int emptyBrushesDropped = 0;           // brush blocks without a face: nothing is lost
    std::vector<int> unbuiltBrushLines;    // brushes that did not build into a solid, kept as text
    std::vector<int> overfullBrushLines;   // lines of brushes that had more than 50 faces
};

// A brush block of the file that does not build into a solid. It is kept exactly as it was read
// and written back unchanged, so that opening and saving a map never changes or drops it.
struct UnbuiltBrush {
    std::string text; // from its "{" to its "}"
    int line = 0;
};

// Where pasted or loaded brushes go, and how they snap to the XY view's grid.
struct GridPlacement {
    Vec3 target;
    bool snap = false;
    int gridSize = 16;
};

// One block of the map: key/value pairs and brushes. Point entities (a class with a fixed box)
// get a box brush of their own that is never written to the file.
class CQEntity {
public:
    CQEntity() = default;
    CQEntity(const CQEntity& other);
    CQEntity& operator=(const CQEntity& other);
    CQEntity(CQEntity&& other) noexcept;
    CQEntity& operator=(CQEntity&& other) noexcept;

    // --- key/value pairs (keys and values with their quotes) ---
    std::string_view GetValue(std::string_view key) const;
    // Removes the pair of that key if there is one and appends the new pair: true when it existed.
    bool SetValue(std::string_view key, std::string_view value);
    void RemoveAllKeys() { pairs_.clear(); }
    const std::vector<CQKeyValue>& pairs() const { return pairs_; }
    // The class name without quotes.
    std::string className() const;
    bool IsEmpty() const { return pairs_.empty() && brushes_.empty(); }
    void Clear();

    // --- flags ---
    bool isWorld() const { return isWorld_; }
    void setWorld(bool world) { isWorld_ = world; }
    bool isCurrent() const { return current_; }
    // Clearing the flag deselects the brushes.
    void SetCurrent(bool current);
    bool isModifiable() const { return modifiable_; }
    void setModifiable(bool modifiable) { modifiable_ = modifiable; }

    // --- brushes ---
    std::span<CQBrush> brushes() { return brushes_; }
    std::span<const CQBrush> brushes() const { return brushes_; }
    int brushCount() const { return static_cast<int>(brushes_.size()); }
    // Appends a selected copy and widens the bounds.
    void AddBrush(const CQBrush& brush);
    void removeBrush(int index);
    int selectedCount() const;
    // The brushes the file holds: its own (none for a point entity's box) and the unbuilt ones.
    int BrushCountForFile() const { return (modifiable_ ? brushCount() : 0) + static_cast<int>(unbuilt_.size()); }
    const std::vector<UnbuiltBrush>& unbuiltBrushes() const { return unbuilt_; }
    CQBrush* FirstBrush();
    CQBrush* FirstSelectedBrush();
    void SelectAllBrushes();
    void DeselectAllBrushes();
    void RemoveInvalidBrushes();
    void SetTextureOfSelected(std::string_view name);

    void ComputeBounds();
    const Vec3& mins() const { return mins_; }
    const Vec3& maxs() const { return maxs_; }
    // Mean of the brush centres; without brushes, the "origin" value (or the map origin).
    Vec3 GetOrigin() const;
    // The "light" value ("300" when a light key exists without a value), quotes kept; empty
    // text when the entity has no key beginning with light.
    std::string GetLightValue() const;

    // Moves the selected brushes and the "origin" value.
    void MoveSelected(Vec3 offset, DebugOutput& log);
    // Replaces the brushes by the class's box around the origin (the entity's own when none given).
    void MakeFixedSizeBrush(const EntityClass& entityClass, std::optional<Vec3> origin, DebugOutput& log);
    // Toggles the selection of the nearest brush on the segment; the brush, or none when nothing was hit.
    CQBrush* PickBrush(Vec3 start, Vec3 end, DebugOutput& log);
    // Pastes copies of the clipboard brushes, their group centred on the placement's target.
    // Refused with a message for an unmodifiable entity.
    bool PasteBrushes(std::span<const CQBrush> clipboard, const GridPlacement& placement, Host& host);

    // --- transforms of the selected brushes, about their common centre ---
    void RotateSelectionX(float degrees, DebugOutput& log);
    void RotateSelectionY(float degrees, DebugOutput& log);
    void RotateSelectionZ(float degrees, DebugOutput& log);
    void ScaleSelection(float sx, float sy, float sz, DebugOutput& log);

    // --- map text ---
    void Serialize(std::string& out, MapFormat format = MapFormat::Standard) const;
    EntityReadResult Read(TextCursor& in, const EntityClassList& classes, Host& host);
    // Becomes the entity a block read from the text describes, its brushes built: the brushes that
    // are no solid are kept as text, and an entity of a class with a fixed box gets that box.
    EntityReadResult Adopt(EntityBlock&& block, const EntityClassList& classes, Host& host);

    // --- brush groups: brush blocks only ---
    // The selected brushes' blocks; nothing for an unmodifiable entity.
    void SerializeBrushGroup(std::string& out) const;
    // Appends the group's brushes, selected, and moves them so that their common centre sits on
    // the target's x and y at height 0. Returns how many were loaded; junk between blocks is
    // reported and ends the reading, keeping what was read.
    int LoadBrushGroup(TextCursor& in, const GridPlacement& placement, Host& host);

private:
    template <typename Transform>
    void transformSelection(Transform transform, DebugOutput& log);
    void reown();

    Vec3 mins_{4096, 4096, 4096};
    Vec3 maxs_{-4096, -4096, -4096};
    bool isWorld_ = false;
    bool current_ = false;
    std::vector<CQBrush> brushes_;
    std::vector<CQKeyValue> pairs_;
    std::vector<UnbuiltBrush> unbuilt_;
    bool modifiable_ = true;
};

} // namespace vorn
