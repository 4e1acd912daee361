#pragma once

#include "geometry/vec3.h"
#include "map/fixed_boxes.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

class DebugOutput;
class TextCursor;

// One class of the entity list file: its name, colour, the fixed box of a point entity, the
// names of its eight spawnflag bits and its help text.
class EntityClass {
public:
    static constexpr int kFlagCount = 8;
    static constexpr int kMaxCommentLines = 35;

    // Reads one entry; the class stays invalid when the next token is not "ENTTYPE:".
    void Serialize(TextCursor& in);
    void reset();

    const std::string& name() const { return name_; }
    bool isFixedSize() const { return fixedSize_; }
    Vec3 mins() const { return mins_; }
    Vec3 maxs() const { return maxs_; }
    Vec3 color() const { return color_; }
    int commentCount() const { return static_cast<int>(comments_.size()); }
    // Help line n, or empty text for a line not in use.
    std::string commentLine(int n) const;
    // Flag name n (0..7); any other n is reported on the debug output and gives empty text.
    std::string flagName(int n, DebugOutput& log) const;
    bool isValid() const { return valid_; }

private:
    void readHelp(TextCursor& in);

    std::string name_;
    bool fixedSize_ = false;
    Vec3 mins_;
    Vec3 maxs_;
    Vec3 color_;
    std::vector<std::string> comments_;
    std::array<std::string, kFlagCount> flagNames_;
    bool valid_ = false;
};

// The catalogue of entity classes, in file order.
class EntityClassList final : public FixedBoxes {
public:
    // Replaces the catalogue with the classes of the file; false (with a debug report) and the
    // catalogue unchanged when the file cannot be read.
    bool loadFile(const std::string& path, DebugOutput& log);
    // As loadFile with the default name, but appending: callers use it on an empty catalogue.
    bool loadDefault(DebugOutput& log);
    // Replaces the catalogue with the classes of a text already in memory.
    void loadText(std::string_view text);
    // Appends the classes of an entity list text.
    void Serialize(TextCursor& in);

    int count() const { return static_cast<int>(classes_.size()); }
    std::string nameAt(int i) const;
    // The first class of that exact name, or the empty class (invalid, no fixed size).
    const EntityClass& find(std::string_view name) const;
    std::optional<Box> fixedBox(std::string_view className) const override;
    void clear() { classes_.clear(); }

    static constexpr const char* kDefaultFileName = "entities.qel";

private:
    EntityClass empty_;
    std::vector<EntityClass> classes_;
};

} // namespace vorn
