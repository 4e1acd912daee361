#include "entities/entity_properties_form.h"

#include "map/ignoring_case.h"

#include "geometry/numeric.h"
#include "map/text_reader.h"
#include "platform/debug_output.h"

#include <algorithm>

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
    for (int f = 0; f < kEntityFieldCount; ++f) {
        fields_[static_cast<size_t>(f)] = Unquoted(entity.GetValue(Quoted(kFields[static_cast<size_t>(f)].key)));
    }

    const std::string_view spawnflags = entity.GetValue(kSpawnflagsKey);
    if (!spawnflags.empty()) storedSpawnflags_ = std::string(spawnflags);
    originalSpawnflags_ = parseSpawnflags(spawnflags);
    const auto bits = static_cast<unsigned>(originalSpawnflags_);
    for (int n = 0; n < EntityClass::kFlagCount; ++n) flags[static_cast<size_t>(n)] = (bits >> n) & 1u;
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
}

std::array<std::string, EntityClass::kFlagCount> EntityPropertiesForm::flagNames() const
{
    NullDebugOutput log; // every slot asked for exists
    std::array<std::string, EntityClass::kFlagCount> names;
    for (int n = 0; n < EntityClass::kFlagCount; ++n) names[static_cast<size_t>(n)] = shownClass_.flagName(n, log);
    return names;
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
    for (const EntityFieldInfo& info : kFields) keys.emplace_back(info.key);
    if (makesPointEntity()) keys.emplace_back("origin");
    return keys;
}

std::optional<std::string> EntityPropertiesForm::problem() const
{
    if (className_.empty()) return "Choose a class for the entity.";
    for (const std::string& text : {className_, angle}) {
        if (auto problem = ValueProblem(text)) return problem;
    }
    for (const std::string& text : fields_) {
        if (auto problem = ValueProblem(text)) return problem;
    }
    return otherKeys.problem(ownKeys());
}

std::string EntityPropertiesForm::spawnflagsText() const
{
    int value = 0;
    for (int s = 0; s < kSkillCount; ++s) {
        if (!skills[static_cast<size_t>(s)]) value += skillBit(s);
    }
    for (int n = 0; n < EntityClass::kFlagCount; ++n) {
        if (flags[static_cast<size_t>(n)]) value += 1 << n;
    }
    // An unchanged value keeps its text, so an explicit "0" survives.
    if (storedSpawnflags_ && value == originalSpawnflags_) return *storedSpawnflags_;
    return value == 0 ? std::string() : Quoted(std::to_string(value));
}

EntityPropertiesResult EntityPropertiesForm::ok() const
{
    EntityPropertiesResult result;
    auto write = [&](std::string_view key, std::string_view text) { result.pairs.push_back({Quoted(key), Quoted(text)}); };
    write("classname", className_);
    if (!angle.empty()) write(angleKey(), angle);
    for (int f = 0; f < kEntityFieldCount; ++f) {
        std::string_view text = fields_[static_cast<size_t>(f)];
        if (f == static_cast<int>(EntityField::Light) && text.empty() && className_.starts_with("light")) text = "300";
        if (!text.empty()) write(kFields[static_cast<size_t>(f)].key, text);
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
