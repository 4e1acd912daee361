#include "entities/entity_properties_form.h"

#include "map/ignoring_case.h"

#include "geometry/numeric.h"
#include "map/text_reader.h"
#include "platform/debug_output.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace vorn {
namespace {

constexpr std::array<EntityFieldInfo, kEntityFieldCount> kFields{{
    {"light", "Light Level"},
    {"target", "Target"},
    {"targetname", "Target name"},
    {"message", "Message"},
    {"wait", "Wait"},
    {"style", "Style"},
    {"speed", "Speed"},
    {"dmg", "Damage"},
    {"lip", "Lip"},
    {"killtarget", "Kill Target"},
    {"health", "Health"},
    {"sounds", "Sounds"},
    {"height", "Height"},
    {"nextthink", "Next Think"},
    {"map", "Map"},
}};

constexpr int kFirstSkillBit = 256;
constexpr std::string_view kFallbackClass = "noclass";
constexpr std::string_view kIntermission = "info_intermission";

const std::string kSpawnflagsKey = "\"spawnflags\"";

// The catalogue's spelling of the name, matched ignoring case; nothing when it has no such class.
std::optional<std::string> catalogueName(const EntityClassList& classes, std::string_view name)
{
    if (classes.find(name).isValid()) return std::string(name);
    for (int i = 0; i < classes.count(); ++i) {
        if (EqualIgnoringCase(classes.nameAt(i), name)) return classes.nameAt(i);
    }
    return std::nullopt;
}

// The first piece of the value between quotes and blanks, read as a number and truncated.
int parseSpawnflags(std::string_view stored)
{
    const size_t start = stored.find_first_not_of("\" ");
    if (start == std::string_view::npos) return 0;
    const size_t end = stored.find_first_of("\" ", start);
    return TruncateToInt(static_cast<float>(ParseFloat(stored.substr(start, end - start))));
}

int skillBit(int skill) { return kFirstSkillBit << skill; }

// Bits 8 to 11: the skill boxes stand for them.
bool isSkillBit(int bit) { return bit >= 8 && bit < 8 + kSkillCount; }

} // namespace

const EntityFieldInfo& FieldInfo(EntityField field)
{
    return kFields[static_cast<size_t>(field)];
}

EntityPropertiesForm::EntityPropertiesForm(const CQEntity& entity, const EntityClassList& classes)
    : originalClassName_(entity.className()), hasOwnBrushes_(entity.isModifiable() && entity.brushCount() > 0),
      wasPointEntity_(!entity.isModifiable()), storedOrigin_(entity.GetValue(kOriginKey))
{
    // A point entity sits at its "origin"; its box's centre is off it for a box that is not centred.
    origin_ = wasPointEntity_ && !storedOrigin_.empty() ? ParseVector(storedOrigin_) : entity.GetOrigin();

    // A class the catalogue does not know keeps its name; only an entity without one falls back.
    std::string name = catalogueName(classes, originalClassName_).value_or(originalClassName_);
    if (name.empty()) name = catalogueName(classes, kFallbackClass).value_or("");
    changeClass(std::move(name), classes);

    angle = Unquoted(entity.GetValue(Quoted(angleKey())));
    for (FieldRow& row : rows_) row.value = Unquoted(entity.GetValue(Quoted(row.key)));

    const std::string_view spawnflags = entity.GetValue(kSpawnflagsKey);
    if (!spawnflags.empty()) storedSpawnflags_ = std::string(spawnflags);
    originalSpawnflags_ = parseSpawnflags(spawnflags);
    const auto bits = static_cast<unsigned>(originalSpawnflags_);
    for (int n = 0; n < kSpawnflagBits; ++n) flags[static_cast<size_t>(n)] = (bits >> n) & 1u;
    for (int s = 0; s < kSkillCount; ++s) skills[static_cast<size_t>(s)] = (bits & static_cast<unsigned>(skillBit(s))) == 0;

    const std::vector<std::string> own = ownKeys();
    otherKeys = OtherKeys(entity, own);
}

std::vector<std::string> EntityPropertiesForm::ClassNames(const EntityClassList& classes)
{
    std::vector<std::string> names;
    for (int i = 0; i < classes.count(); ++i) names.push_back(classes.nameAt(i));
    std::ranges::stable_sort(names, LessIgnoringCase);
    // std::unique rather than the ranges one: clang's fuzzer builds cannot use its subrange.
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

void EntityPropertiesForm::changeClass(std::string name, const EntityClassList& classes)
{
    className_ = std::move(name);
    class_ = classes.find(className_);
    shownClass_ = class_.isValid() ? class_ : classes.find(kFallbackClass);

    std::vector<FieldRow> before = std::exchange(rows_, {});
    for (std::string& key : fieldKeys()) {
        std::string value;
        const auto kept = std::ranges::find(before, key, &FieldRow::key);
        if (kept != before.end()) {
            value = std::move(kept->value);
            before.erase(kept);
        } else {
            value = otherKeys.take(key).value_or("");
        }
        rows_.push_back({std::move(key), std::move(value)});
    }
    for (FieldRow& row : before) {
        if (row.value.empty()) continue;
        if (row.key == angleKey()) {
            if (angle.empty()) angle = std::move(row.value);
        } else {
            otherKeys.append(std::move(row.key), std::move(row.value));
        }
    }
}

std::vector<std::string> EntityPropertiesForm::fieldKeys() const
{
    std::vector<std::string> keys;
    if (!typedFields()) {
        for (const EntityFieldInfo& info : kFields) keys.emplace_back(info.key);
        return keys;
    }
    for (const EntityProperty& property : shownClass_.properties()) {
        const std::string& key = property.key;
        if (key == "classname" || key == angleKey() || key == "spawnflags" || (key == "origin" && makesPointEntity())) continue;
        keys.push_back(key);
    }
    return keys;
}

std::string& EntityPropertiesForm::field(EntityField f)
{
    const std::string_view key = FieldInfo(f).key;
    const auto found = std::ranges::find(rows_, key, &FieldRow::key);
    if (found != rows_.end()) return found->value;
    rows_.push_back({std::string(key), {}});
    return rows_.back().value;
}

std::string EntityPropertiesForm::field(EntityField f) const
{
    const auto found = std::ranges::find(rows_, FieldInfo(f).key, &FieldRow::key);
    return found == rows_.end() ? std::string() : found->value;
}

std::vector<FlagRow> EntityPropertiesForm::flagRows() const
{
    std::vector<FlagRow> rows;
    // An entity list class has its eight boxes, named or not, so that rows keep their bits.
    if (!typedFields()) {
        for (int n = 0; n < EntityClass::kFlagCount; ++n) rows.push_back({n, {}, {}});
    }
    for (const EntityFlag& flag : shownClass_.flags()) {
        if (isSkillBit(flag.bit)) continue;
        const auto same = std::ranges::find(rows, flag.bit, &FlagRow::bit);
        if (same != rows.end()) {
            *same = {flag.bit, flag.label, flag.help};
        } else {
            rows.push_back({flag.bit, flag.label, flag.help});
        }
    }
    return rows;
}

std::string EntityPropertiesForm::angleKey() const
{
    return className_ == kIntermission ? "mangle" : "angle";
}

bool EntityPropertiesForm::makesPointEntity() const
{
    // Brushes an entity of a point class brought from its file stay while its class does.
    return class_.isFixedSize() && !(hasOwnBrushes_ && className_ == originalClassName_);
}

std::vector<std::string> EntityPropertiesForm::ownKeys() const
{
    std::vector<std::string> keys{"classname", angleKey(), "spawnflags"};
    for (const FieldRow& row : rows_) keys.push_back(row.key);
    if (makesPointEntity()) keys.emplace_back("origin");
    return keys;
}

std::optional<std::string> EntityPropertiesForm::problem() const
{
    if (className_.empty()) return "Choose a class for the entity.";
    for (const std::string& text : {className_, angle}) {
        if (auto problem = ValueProblem(text)) return problem;
    }
    for (const FieldRow& row : rows_) {
        if (auto problem = ValueProblem(row.value)) return problem;
    }
    return otherKeys.problem(ownKeys());
}

std::string EntityPropertiesForm::spawnflagsText() const
{
    std::uint32_t value = 0;
    std::uint32_t boxes = 0;
    for (int s = 0; s < kSkillCount; ++s) {
        boxes |= static_cast<std::uint32_t>(skillBit(s));
        if (!skills[static_cast<size_t>(s)]) value |= static_cast<std::uint32_t>(skillBit(s));
    }
    for (const FlagRow& row : flagRows()) {
        boxes |= 1u << row.bit;
        if (flags[static_cast<size_t>(row.bit)]) value |= 1u << row.bit;
    }
    const auto original = static_cast<std::uint32_t>(originalSpawnflags_);
    // A class that names its flags shows only those: the bits it has no box for stay as they were.
    if (typedFields()) value |= original & ~boxes;
    // An unchanged value keeps its text, so an explicit "0" survives.
    if (storedSpawnflags_ && value == original) return *storedSpawnflags_;
    return value == 0 ? std::string() : Quoted(std::to_string(value));
}

EntityPropertiesResult EntityPropertiesForm::ok() const
{
    EntityPropertiesResult result;
    auto write = [&](std::string_view key, std::string_view text) { result.pairs.push_back({Quoted(key), Quoted(text)}); };
    write("classname", className_);
    if (!angle.empty()) write(angleKey(), angle);
    // A light class gets a brightness even when the field is empty or it has none.
    const bool lightNeedsLevel = className_.starts_with("light") && field(EntityField::Light).empty();
    if (lightNeedsLevel && std::ranges::find(rows_, FieldInfo(EntityField::Light).key, &FieldRow::key) == rows_.end()) {
        write(FieldInfo(EntityField::Light).key, "300");
    }
    for (const FieldRow& row : rows_) {
        std::string_view text = row.value;
        if (lightNeedsLevel && row.key == FieldInfo(EntityField::Light).key) text = "300";
        if (!text.empty()) write(row.key, text);
    }
    if (makesPointEntity()) {
        // A point entity keeps its origin exactly as written; a new one sits where its key says.
        const std::string origin = wasPointEntity_ && !storedOrigin_.empty() ? storedOrigin_ : Quoted(OriginText(origin_));
        result.pointBox = PointBox{class_, ParseVector(origin)};
        result.pairs.push_back({std::string(kOriginKey), origin});
    }
    if (const std::string spawnflags = spawnflagsText(); !spawnflags.empty()) result.pairs.push_back({kSpawnflagsKey, spawnflags});
    otherKeys.appendTo(result.pairs);
    return result;
}

void ApplyEntityProperties(CQEntity& entity, const EntityPropertiesResult& result, DebugOutput& log)
{
    entity.pairs().clear();
    for (const CQKeyValue& pair : result.pairs) entity.SetValue(pair.key, pair.value);
    if (result.pointBox) {
        const EntityClass& entityClass = result.pointBox->entityClass;
        entity.MakeFixedSizeBrush({entityClass.mins(), entityClass.maxs()}, result.pointBox->origin, log);
        entity.setModifiable(false);
    } else {
        entity.setModifiable(true);
    }
}

} // namespace vorn
