#include "entities/map_properties_form.h"

#include <array>

namespace vorn {
namespace {

const std::array<std::string, 5> kOwnKeys{"classname", "wad", "message", "worldtype", "sounds"};

std::string valueOf(const CQEntity& entity, std::string_view key)
{
    return std::string(Unquoted(entity.GetValue(Quoted(key))));
}

} // namespace

MapPropertiesForm MapPropertiesForm::readWorld(const CQEntity& world)
{
    MapPropertiesForm form;
    form.name = valueOf(world, "message");
    form.wad = valueOf(world, "wad");
    form.cdTrack = valueOf(world, "sounds");
    form.worldType = valueOf(world, "worldtype");
    form.otherKeys = OtherKeys(world, kOwnKeys);
    return form;
}

MapPropertiesForm MapPropertiesForm::forNewWorld(std::string currentWadName)
{
    MapPropertiesForm form;
    form.wad = std::move(currentWadName);
    return form;
}

std::span<const std::string> MapPropertiesForm::ownKeys()
{
    return kOwnKeys;
}

std::optional<std::string> MapPropertiesForm::problem() const
{
    for (const std::string* text : {&name, &wad, &cdTrack, &worldType}) {
        if (auto problem = ValueProblem(*text)) return problem;
    }
    return otherKeys.problem(kOwnKeys);
}

MapPropertiesResult MapPropertiesForm::ok() const
{
    MapPropertiesResult result;
    result.wadName = wad;
    auto write = [&](std::string_view key, std::string_view text) { result.pairs.push_back({Quoted(key), Quoted(text)}); };
    write("classname", "worldspawn");
    write("wad", wad); // even when empty
    if (!name.empty()) write("message", name);
    if (!worldType.empty()) write("worldtype", worldType);
    if (!cdTrack.empty()) write("sounds", cdTrack);
    otherKeys.appendTo(result.pairs);
    return result;
}

void ApplyMapProperties(CQEntity& world, const MapPropertiesResult& result)
{
    world.pairs().clear();
    for (const CQKeyValue& pair : result.pairs) world.SetValue(pair.key, pair.value);
}

CQEntity MakeWorld(const MapPropertiesResult& result)
{
    CQEntity world;
    world.setWorld(true);
    world.setModifiable(true);
    ApplyMapProperties(world, result);
    return world;
}

} // namespace vorn
