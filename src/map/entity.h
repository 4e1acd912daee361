#pragma once

#include "geometry/brush.h"
#include "geometry/vec3.h"
#include "map/fixed_boxes.h"
#include "map/map_format.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

class DebugOutput;
struct EntityBlock;
class TextCursor;

// Q(x): the text x between double quotes, the way keys and values are stored.
std::string Quoted(std::string_view text);
// The text without its first and last character (a stored value without its quotes).
std::string_view Unquoted(std::string_view stored);
// The first three numbers of a stored value, split at quotes and blanks; missing ones are 0.
Vec3 ParseVector(std::string_view stored);
// "x y z" with each component truncated to a whole number, as origins are stored.
std::string OriginText(Vec3 v);

// The key of a point entity's place, as stored (quoted).
inline constexpr std::string_view kOriginKey = "\"origin\"";

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
    bool placedAtOrigin = false;           // an entity without brushes or origin, put at 0 0 0
    int emptyBrushesDropped = 0;           // brush blocks without a face: nothing is lost
    std::vector<int> unbuiltBrushLines;    // brushes that did not build into a solid, kept as text
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
    // Whether the brushes' textures travel with them.
    TextureLock textures = TextureLock::Off;
};

// One block of the map: key/value pairs and brushes. Point entities (a class with a fixed box)
// get a box brush of their own that is never written to the file.
class CQEntity {
public:
    // --- key/value pairs (keys and values with their quotes) ---
    std::string_view GetValue(std::string_view key) const;
    // Removes the pair of that key if there is one and appends the new pair: true when it existed.
    bool SetValue(std::string_view key, std::string_view value);
    const std::vector<CQKeyValue>& pairs() const { return pairs_; }
    std::vector<CQKeyValue>& pairs() { return pairs_; }
    // The class name without quotes.
    std::string className() const;
    bool IsEmpty() const { return pairs_.empty() && brushes_.empty(); }

    // --- flags ---
    bool isWorld() const { return isWorld_; }
    void setWorld(bool world) { isWorld_ = world; }
    bool isCurrent() const { return current_; }
    void SetCurrent(bool current) { current_ = current; }
    bool isModifiable() const { return modifiable_; }
    void setModifiable(bool modifiable) { modifiable_ = modifiable; }
    // The line of its opening brace in the file it was read from; 0 for an entity made here.
    int fileLine() const { return fileLine_; }

    // --- brushes ---
    std::span<CQBrush> brushes() { return brushes_; }
    std::span<const CQBrush> brushes() const { return brushes_; }
    const CQBrush& brush(int index) const { return brushes_[static_cast<size_t>(index)]; }
    CQBrush& brush(int index) { return brushes_[static_cast<size_t>(index)]; }
    int brushCount() const { return static_cast<int>(brushes_.size()); }
    void AddBrush(CQBrush brush) { brushes_.push_back(std::move(brush)); }
    void insertBrush(int index, CQBrush brush);
    CQBrush takeBrush(int index);
    // The brushes the file holds: its own (none for a point entity's box) and the unbuilt ones.
    int BrushCountForFile() const { return (modifiable_ ? brushCount() : 0) + static_cast<int>(unbuilt_.size()); }
    const std::vector<UnbuiltBrush>& unbuiltBrushes() const { return unbuilt_; }

    // The box around the brushes; none without brushes.
    std::optional<Bounds> bounds() const;
    // Mean of the brush centres; without brushes, the "origin" value (or the map origin).
    Vec3 GetOrigin() const;
    // The first number of the "angle" value, in degrees, when there is one.
    std::optional<double> Heading() const;
    // The "light" value ("300" when a light key exists without a value), quotes kept; empty
    // text when the entity has no key beginning with light.
    std::string GetLightValue() const;

    // Replaces the brushes by the class's box around the origin (the entity's own when none given).
    void MakeFixedSizeBrush(const FixedBoxes::Box& box, std::optional<Vec3> origin, DebugOutput& log);
    // The brush nearest the segment's start that the segment meets, of those that may be picked;
    // -1 when it meets none.
    int NearestBrushOnSegment(Vec3 start, Vec3 end, DebugOutput& log,
                              const std::function<bool(const CQBrush&)>& pickable = {}) const;

    // --- map text ---
    // The whole block; or its parts, in this order: "{" and the keys, the written brushes in
    // [first, end) (none when the entity is not modifiable), the kept brush texts and "}".
    void Serialize(std::string& out, MapFormat format = MapFormat::Standard) const;
    void SerializeOpening(std::string& out) const;
    void SerializeBrushes(std::string& out, size_t first, size_t end, MapFormat format) const;
    void SerializeClosing(std::string& out) const;
    EntityReadResult Read(TextCursor& in, const FixedBoxes& classes, DebugOutput& log);
    // Becomes the entity a block read from the text describes, its brushes built: the brushes that
    // are no solid are kept as text, and an entity of a class with a fixed box gets that box.
    EntityReadResult Adopt(EntityBlock&& block, const FixedBoxes& classes, DebugOutput& log);

private:
    bool isWorld_ = false;
    bool current_ = false;
    BrushList brushes_;
    std::vector<CQKeyValue> pairs_;
    std::vector<UnbuiltBrush> unbuilt_;
    bool modifiable_ = true;
    int fileLine_ = 0;
};

} // namespace vorn
