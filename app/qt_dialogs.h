#pragma once

#include "document/dialogs.h"

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace vorn {

// The modal dialogs as Qt windows over the given parent.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}

    // For wiring after construction: the main window usually exists only after the editor.
    void setParentWidget(QWidget* parent) { parent_ = parent; }
    // Where the texture selector looks for the archives and the game's colour files (see
    // TextureSearchFolders); without it, the current folder only.
    using Folders = std::function<std::vector<std::string>()>;
    void setTextureFolders(Folders folders) { textureFolders_ = std::move(folders); }

    std::optional<RoomSettings> makeRoom(const RoomSettings& start) override;
    std::optional<StairsSettings> makeStairs(const StairsSettings& start) override;
    std::optional<RampSettings> makeRamp(const RampSettings& start) override;
    std::optional<ArchSettings> makeArch(const ArchSettings& start) override;
    std::optional<CylinderSettings> makeCylinder(const CylinderSettings& start) override;
    std::optional<SpikeSettings> makeSpike(const SpikeSettings& start) override;
    std::optional<RotationSettings> rotationSetup(const RotationSettings& start) override;
    std::optional<ScaleSettings> scaleSettings(const ScaleSettings& start) override;
    std::optional<EntityPropertiesResult> entityProperties(const CQEntity& entity, const EntityClassList& classes) override;
    std::optional<MapPropertiesResult> mapProperties(const MapPropertiesForm& start) override;
    std::optional<std::string> textureSelector(const std::string& wadPath, const std::string& current) override;

private:
    QWidget* parent_;
    Folders textureFolders_;
};

} // namespace vorn
