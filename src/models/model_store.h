#pragma once

#include "models/alias_model.h"
#include "models/game_files.h"
#include "textures/palette.h"
#include "textures/texture_image.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vorn {

class Host;

// A model as the camera draws it: its first frame, a normal for each triangle, and its first
// skin in the game's colours.
struct EntityModel {
    AliasModel mesh; // its skin indices given up for `skin`
    std::vector<Vec3> normals;
    std::shared_ptr<const RgbaImage> skin;
};

// The alias models entity classes name, each read from the game's files once and shared by
// every entity showing it. A broken archive, or a model file that cannot be read or is no alias
// model, is refused and the user told once; a model that is not there (another mod's, say) is
// simply not shown.
class ModelStore {
public:
    explicit ModelStore(Host& host) : host_(host) {}

    // Forgets every model and looks in these folders from now on.
    void setFolders(std::vector<std::string> folders);
    const std::vector<std::string>& folders() const { return files_.folders(); }

    // The model at that path of the game's files; none for a path that names no alias model
    // (".mdl"), or one that is missing or cannot be read.
    std::shared_ptr<const EntityModel> model(std::string_view path);

private:
    std::shared_ptr<const EntityModel> load(const std::string& path);
    const CQPalette& palette();

    Host& host_;
    GameFiles files_;
    std::optional<CQPalette> palette_;
    std::unordered_map<std::string, std::shared_ptr<const EntityModel>> models_;
};

} // namespace vorn
