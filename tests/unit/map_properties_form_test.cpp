#include "entities/map_properties_form.h"

#include <gtest/gtest.h>

using namespace vorn;

namespace {

CQEntity worldWith(std::initializer_list<std::pair<const char*, const char*>> pairs)
{
    CQEntity world;
    world.setWorld(true);
    for (const auto& [key, value] : pairs) world.SetValue(Quoted(key), Quoted(value));
    return world;
}

} // namespace

TEST(MapPropertiesForm, TheWorldsFourValuesAreRewrittenInOrderAndItsOtherKeysKept)
{
    CQEntity world = worldWith({{"_sunlight", "200"}, {"sounds", "4"}, {"wad", "gfx/base.wad"}, {"classname", "worldspawn"},
                                {"message", "The Slipgate Complex"}, {"mapversion", "220"}, {"worldtype", "2"}});
    MapPropertiesForm form = MapPropertiesForm::readWorld(world);
    EXPECT_EQ((std::vector{form.name, form.wad, form.cdTrack, form.worldType}),
              (std::vector<std::string>{"The Slipgate Complex", "gfx/base.wad", "4", "2"}));
    EXPECT_EQ(form.otherKeys.rows(), (std::vector<OtherKeys::Row>{{"_sunlight", "200"}, {"mapversion", "220"}}));

    MapPropertiesResult result = form.ok();
    EXPECT_EQ(result.wadName, "gfx/base.wad");
    ApplyMapProperties(world, result);
    EXPECT_EQ(world.pairs(), (std::vector<CQKeyValue>{{"\"classname\"", "\"worldspawn\""},
                                                      {"\"wad\"", "\"gfx/base.wad\""},
                                                      {"\"message\"", "\"The Slipgate Complex\""},
                                                      {"\"worldtype\"", "\"2\""},
                                                      {"\"sounds\"", "\"4\""},
                                                      {"\"_sunlight\"", "\"200\""},
                                                      {"\"mapversion\"", "\"220\""}}));

    form.name = form.wad = form.cdTrack = form.worldType = "";
    form.otherKeys.remove(1);
    result = form.ok();
    EXPECT_EQ(result.wadName, "");
    EXPECT_EQ(result.pairs, (std::vector<CQKeyValue>{{"\"classname\"", "\"worldspawn\""}, {"\"wad\"", "\"\""}, {"\"_sunlight\"", "\"200\""}}))
        << "the wad even when empty, no empty name, track or type";

    EXPECT_EQ(form.otherKeys.add("wad", "x.wad", MapPropertiesForm::ownKeys()), "The dialog writes the key \"wad\" itself.");
    form.worldType = "\"1\"";
    EXPECT_EQ(form.problem(), "Keys and values cannot contain a double quote.");
}
