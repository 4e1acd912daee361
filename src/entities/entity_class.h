#pragma once

#include "entities/entity_definition.h"
#include "geometry/vec3.h"
#include "map/fixed_boxes.h"

#include <string>
#include <string_view>
#include <vector>

namespace vorn {

class DebugOutput;
class TextCursor;

// One entity class: its name, colour, the fixed box of a point entity, the names of its
// spawnflag bits and its help text, as an entity list entry gives them; a definition file adds
// the class's keys with their types, labels and defaults, and the model it is shown as.
class EntityClass {
public:
    // The spawnflag bits an entity list entry names.
    static constexpr int kFlagCount = 8;
    static constexpr int kMaxCommentLines = 35;

    EntityClass() = default;
    // A valid class as a definition file describes it.
    explicit EntityClass(EntityDefinition definition) : d_(std::move(definition)), valid_(true) {}

    // Reads one entity list entry; the class stays invalid when the next token is not "ENTTYPE:".
    void Serialize(TextCursor& in);
    void reset();

    const std::string& name() const { return d_.name; }
    bool isFixedSize() const { return d_.fixedSize; }
    Vec3 mins() const { return d_.mins; }
    Vec3 maxs() const { return d_.maxs; }
    Vec3 color() const { return d_.color; }
    int commentCount() const { return static_cast<int>(d_.help.size()); }
    // Help line n, or empty text for a line not in use.
    std::string commentLine(int n) const;
    // Flag name n (0..7); any other n is reported on the debug output and gives empty text.
    std::string flagName(int n, DebugOutput& log) const;
    bool isValid() const { return valid_; }

    // Every named spawnflag, by bit; a definition file may name bits past the eighth.
    const std::vector<EntityFlag>& flags() const { return d_.flags; }
    // Whether the class comes with its keys' types, so that they are what its entities are edited by.
    bool definesKeys() const { return d_.typed; }
    const std::vector<EntityProperty>& properties() const { return d_.properties; }
    // The property of that key, or none.
    const EntityProperty* property(std::string_view key) const;
    const EntityModelReference& model() const { return d_.model; }

private:
    void readHelp(TextCursor& in);

    EntityDefinition d_;
    bool valid_ = false;
};

// The entries of an entity list text, up to the first place that does not begin one.
std::vector<EntityClass> ReadEntityList(TextCursor& in);

// What reading the entity list setting came to.
struct EntityListRead {
    int filesRead = 0;
    // For the user: the files that could not be read, and where a file went wrong.
    std::vector<std::string> problems;
};

// The catalogue of entity classes, in file order.
class EntityClassList final : public FixedBoxes {
public:
    // Replaces the catalogue with the classes of the files the setting names, separated by ";":
    // entity lists, and the definition files ReadClassFile tells apart. A class of a later file
    // replaces an earlier file's class of the same name. A file that cannot be read is reported
    // on the debug output; when none can, the catalogue stays as it was.
    EntityListRead loadList(std::string_view list, DebugOutput& log);
    // As loadList for one file: false when it could not be read.
    bool loadFile(const std::string& path, DebugOutput& log);
    // As loadFile with the default name, but appending: callers use it on an empty catalogue.
    bool loadDefault(DebugOutput& log);
    // Replaces the catalogue with the classes of a text already in memory.
    void loadText(std::string_view text);
    // Appends the classes of an entity list text.
    void Serialize(TextCursor& in);

    int count() const { return static_cast<int>(classes_.size()); }
    const std::vector<EntityClass>& all() const { return classes_; }
    std::string nameAt(int i) const;
    // The first class of that exact name, or the empty class (invalid, no fixed size).
    const EntityClass& find(std::string_view name) const;
    std::optional<Box> fixedBox(std::string_view className) const override;
    void clear()
    {
        classes_.clear();
        ++generation_;
    }
    // Counts the changes of the catalogue, so that whoever lists its classes knows to list them again.
    int generation() const { return generation_; }

    static constexpr const char* kDefaultFileName = "entities.qel";

private:
    EntityClass empty_;
    std::vector<EntityClass> classes_;
    int generation_ = 0;
};

} // namespace vorn
