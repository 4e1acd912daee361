#pragma once

#include "entities/entity_class.h"
#include "entities/other_keys.h"
#include "map/entity.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// The text fields of Entity Properties besides the class and the angle, in the order OK writes them.
enum class EntityField { Light, Target, TargetName, Message, Wait, Style, Speed, Damage, Lip, KillTarget, Health, Sounds, Height, NextThink, Map };
inline constexpr int kEntityFieldCount = 15;

struct EntityFieldInfo {
    std::string_view key;
    std::string_view label;
};
const EntityFieldInfo& FieldInfo(EntityField field);

// The skill boxes: each is ticked while its spawnflags bit (256, 512, 1024, 2048) is clear.
enum class Skill { Easy, Normal, Difficult, Deathmatch };
inline constexpr int kSkillCount = 4;

// Where a fixed-size class puts its box: the entity becomes a point entity there.
struct PointBox {
    EntityClass entityClass;
    Vec3 origin;
};

// One text field of the dialog: the key it writes and its text.
struct FieldRow {
    std::string key;
    std::string value;
};

// One spawnflag box of the dialog.
struct FlagRow {
    int bit = 0; // the box stands for the value 1 << bit
    std::string label;
    std::string help;
};

// What OK makes of the entity: its pairs in order, and its box when it is a point entity.
struct EntityPropertiesResult {
    std::vector<CQKeyValue> pairs;
    std::optional<PointBox> pointBox;
};

// The Entity Properties dialog's values: opened from an entity, changed by the dialog, and turned
// into the entity's new pairs by OK. Texts are held without quotes.
//
// An entity list class has the fifteen common text fields and eight flag boxes. A class whose
// keys a definition file lists has a field for each of those keys (its angle and spawnflags
// have their own) and a box for each flag it names; the keys it does not list are other keys.
// When the class changes, a value moves between the fields and the other keys as the new class
// has a field for its key or not.
class EntityPropertiesForm {
public:
    EntityPropertiesForm(const CQEntity& entity, const EntityClassList& classes);

    // The catalogue's class names for the class list, sorted ignoring case, each once.
    static std::vector<std::string> ClassNames(const EntityClassList& classes);

    // The class change: the name written as "classname", and the class whose flag names and help
    // are shown ("noclass" stands in for a name the catalogue does not know).
    void changeClass(std::string name, const EntityClassList& classes);
    const std::string& className() const { return className_; }
    const EntityClass& shownClass() const { return shownClass_; }
    std::string helpLine() const { return shownClass_.commentLine(0); }
    // Whether the fields are the class's own keys rather than the common ones.
    bool typedFields() const { return shownClass_.definesKeys(); }

    // The text fields of the shown class, in the order OK writes them.
    std::vector<FieldRow>& fieldRows() { return rows_; }
    const std::vector<FieldRow>& fieldRows() const { return rows_; }
    // The field of a common key; one is added when the class has none.
    std::string& field(EntityField f);
    std::string field(EntityField f) const;
    // The spawnflag boxes of the shown class, by bit.
    std::vector<FlagRow> flagRows() const;

    static constexpr int kSpawnflagBits = 32;

    std::string angle; // "mangle" for "info_intermission", else "angle"
    std::array<bool, kSpawnflagBits> flags{}; // ticked by bit; only the boxes shown are written
    std::array<bool, kSkillCount> skills{};
    OtherKeys otherKeys;

    // "angle" or "mangle", as the class asks.
    std::string angleKey() const;
    // The keys OK writes from the fields for the current class: no other key may take them.
    std::vector<std::string> ownKeys() const;
    // Why OK is refused, or nothing.
    std::optional<std::string> problem() const;
    EntityPropertiesResult ok() const;

private:
    bool makesPointEntity() const;
    std::string spawnflagsText() const;
    // The keys of the shown class's text fields.
    std::vector<std::string> fieldKeys() const;

    std::string className_;
    EntityClass class_;      // the catalogue's class of that name; invalid when it has none
    EntityClass shownClass_; // class_, or "noclass" for a name the catalogue does not know
    std::vector<FieldRow> rows_;

    // What the entity was, for what OK keeps.
    std::string originalClassName_;
    bool hasOwnBrushes_ = false; // brushes that belong in the file
    bool wasPointEntity_ = false;
    std::string storedOrigin_;
    Vec3 origin_;
    std::optional<std::string> storedSpawnflags_;
    int originalSpawnflags_ = 0;
};

// Gives the entity the confirmed pairs and, for a point entity, its class's box.
void ApplyEntityProperties(CQEntity& entity, const EntityPropertiesResult& result, DebugOutput& log);

} // namespace vorn
