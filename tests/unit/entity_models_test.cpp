#include "fakes.h"
#include "model_files.h"
#include "models/game_files.h"
#include "models/model_store.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace vorn;
using namespace vorn::test;

namespace {

const std::filesystem::path kGame = std::filesystem::path(VORN_CORPUS_DIR) / "game";

std::string bytesOf(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

std::int32_t headerField(const std::string& model, size_t offset)
{
    std::int32_t value = 0;
    std::memcpy(&value, model.data() + offset, 4);
    return value;
}

std::vector<std::filesystem::path> corpusModels()
{
    std::vector<std::filesystem::path> models;
    std::error_code absent;
    for (const auto& entry : std::filesystem::directory_iterator(kGame / "id1" / "progs", absent)) models.push_back(entry.path());
    std::sort(models.begin(), models.end());
    return models;
}

} // namespace

TEST(EntityModels, EveryCorpusModelLoadsLooseAndFromAPakMadeOfThem)
{
    const std::vector<std::filesystem::path> models = corpusModels();
    if (models.empty()) GTEST_SKIP() << "no corpus";
    EXPECT_EQ(models.size(), 81u);
    ScratchFolder folder;
    std::vector<std::pair<std::string, std::string>> packed;
    for (const auto& path : models) packed.emplace_back("progs/" + path.filename().string(), bytesOf(path));
    packed.emplace_back("gfx/palette.lmp", bytesOf(kGame / "id1" / "gfx" / "palette.lmp"));
    folder.write("quake/id1/pak0.pak", pakOf(packed));

    FakeHost host;
    ModelStore loose(host);
    loose.setFolders(GameFolders(kGame.string(), {}));
    ModelStore fromPak(host);
    fromPak.setFolders(GameFolders((folder.path() / "quake").string(), {}));
    int outward = 0;
    for (const auto& [name, bytes] : packed) {
        if (!name.ends_with(".mdl")) continue;
        const auto model = loose.model(name);
        ASSERT_TRUE(model) << name;
        EXPECT_EQ(model->mesh.frameCount, headerField(bytes, 68)) << name;
        EXPECT_EQ(model->mesh.skinWidth, headerField(bytes, 52)) << name;
        EXPECT_EQ(model->mesh.skinHeight, headerField(bytes, 56)) << name;
        EXPECT_EQ(model->skin->rgba.size(), 4u * static_cast<size_t>(model->mesh.skinWidth * model->mesh.skinHeight)) << name;
        EXPECT_EQ(model->mesh.triangles.size(), static_cast<size_t>(headerField(bytes, 64))) << name;

        const auto same = fromPak.model(name);
        ASSERT_TRUE(same) << name;
        EXPECT_EQ(same->mesh.positions, model->mesh.positions) << name;
        EXPECT_EQ(same->skin->rgba, model->skin->rgba) << name;
        EXPECT_EQ(loose.model(name), model) << "loaded once";

        // Normals face away from the model's middle on the whole.
        Vec3 middle;
        for (const Vec3& p : model->mesh.positions) middle += p;
        middle = middle * (1.0f / static_cast<float>(model->mesh.positions.size()));
        float facing = 0;
        for (size_t t = 0; t < model->mesh.triangles.size(); ++t) {
            const Vec3 corner = model->mesh.positions[model->mesh.triangles[t][0].vertex];
            ASSERT_NEAR(Length(model->normals[t]), 1, 1e-4) << name;
            facing += Dot(model->normals[t], corner - middle);
        }
        outward += facing > 0;
    }
    EXPECT_EQ(outward, static_cast<int>(models.size()));
    EXPECT_TRUE(host.messages.empty());
    // The game's palette, not the grey ramps of the default one.
    const auto& skin = loose.model("progs/soldier.mdl")->skin->rgba;
    bool coloured = false;
    for (size_t i = 0; i < skin.size(); i += 4) coloured |= skin[i] != skin[i + 1] || skin[i + 1] != skin[i + 2];
    EXPECT_TRUE(coloured);
    EXPECT_FALSE(loose.model("progs/s_light.spr")) << "only alias models";
    EXPECT_FALSE(loose.model("progs/none.mdl"));
    EXPECT_TRUE(host.messages.empty()) << "a model that is not there is not reported";
}

TEST(EntityModels, BrokenModelsAndArchivesAreRefusedAndToldOnce)
{
    ScratchFolder folder;
    const std::string model = tetrahedron();
    const AliasModelRead good = ReadAliasModel(model);
    ASSERT_TRUE(good.model) << good.failure;
    EXPECT_EQ(good.model->positions[3], (Vec3{0, 0, 16}));
    std::string badVertex = model;
    putInt(badVertex, 84 + 4 + 16 + 4 * 12 + 4, 9); // the first triangle's first vertex
    std::string version = model;
    putInt(version, 4, 8);
    const std::pair<std::string, std::string> refused[] = {
        {model.substr(0, model.size() - 1), "the file ends before its frames do"},
        {model.substr(0, 90), "the file ends before its skins, vertices and triangles do"},
        {badVertex, "a triangle names vertex 9"},
        {version, "its version is 8, not 6"},
        {"IDP", "it is no alias model"},
    };
    for (const auto& [bytes, reason] : refused) EXPECT_EQ(ReadAliasModel(bytes).failure, reason);

    folder.write("quake/id1/progs/broken.mdl", version);
    std::string outside = pakOf({{"progs/a.mdl", model}});
    putInt(outside, 56 + 12 + model.size(), 4000); // the member's offset
    folder.write("quake/mod/pak0.pak", outside);
    FakeHost host;
    ModelStore store(host);
    store.setFolders(GameFolders((folder.path() / "quake" / "mod").string(), {}));
    EXPECT_EQ(host.messages, std::vector<std::string>{"The game archive " + (folder.path() / "quake/mod/pak0.pak").string() +
                                                      ": the member progs/a.mdl lies outside the file. It is left out."});
    EXPECT_FALSE(store.model("progs/broken.mdl"));
    EXPECT_FALSE(store.model("progs/broken.mdl"));
    EXPECT_EQ(host.messages.back(), "The model progs/broken.mdl is refused: its version is 8, not 6. Its entities show as boxes.");
    EXPECT_EQ(host.messages.size(), 2u);
}

TEST(EntityModels, ModsComeBeforeTheBaseGameAndPaksBeforeLooseFilesHighestFirst)
{
    ScratchFolder folder;
    const std::filesystem::path root = folder.path() / "quake";
    folder.write("quake/id1/pak0.pak", pakOf({{"progs/a.mdl", "id1 pak0"}, {"progs/b.mdl", "id1 pak0"}}));
    folder.write("quake/id1/pak1.pak", pakOf({{"progs/a.mdl", "id1 pak1"}}));
    folder.write("quake/id1/progs/a.mdl", "id1 loose");
    folder.write("quake/id1/progs/c.mdl", "id1 loose");
    folder.write("quake/mod/progs/b.mdl", "mod loose");
    folder.write("quake/other/progs/c.mdl", "other loose");
    folder.write("secret.mdl", "outside");

    EXPECT_EQ(GameFolders(root.string(), {"mod", "..", "a/b", "absent"}),
              (std::vector<std::string>{(root / "mod").string(), (root / "id1").string()}));
    EXPECT_EQ(GameFolders((root / "id1").string() + "/", {}), std::vector<std::string>{(root / "id1").string()});
    EXPECT_EQ(GameFolders((root / "other").string(), {"mod"}),
              (std::vector<std::string>{(root / "mod").string(), (root / "other").string(), (root / "id1").string()}));

    const GameFiles files(GameFolders((root / "other").string(), {"mod"}));
    std::string failure;
    const auto read = [&](std::string_view path) { return files.read(path, failure).value_or("none"); };
    EXPECT_EQ(read("progs/a.mdl"), "id1 pak1");
    EXPECT_EQ(read("PROGS/B.MDL"), "id1 pak0") << "archive names ignore case";
    EXPECT_EQ(read("progs/b.mdl"), "mod loose");
    EXPECT_EQ(read("progs/c.mdl"), "other loose");
    EXPECT_EQ(read("../secret.mdl"), "none");
    EXPECT_EQ(read((folder.path() / "secret.mdl").string()), "none");
    EXPECT_EQ(failure, "");
}
