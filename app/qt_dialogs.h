#pragma once

#include "platform/dialogs.h"

#include <functional>
#include <string>
#include <vector>

class QString;
class QWidget;

namespace vorn {

// The modal dialogs as Qt windows over the given parent. The properties dialogs are not built
// yet: they change nothing and say so through notAvailable (e.g. into the status bar).
class QtDialogs : public Dialogs {
public:
    using Notify = std::function<void(const QString&)>;

    explicit QtDialogs(QWidget* parent = nullptr, Notify notAvailable = {});

    // For wiring after construction: the main window usually exists only after the editor.
    void setParentWidget(QWidget* parent) { parent_ = parent; }
    void setNotAvailable(Notify notAvailable) { notAvailable_ = std::move(notAvailable); }
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
    bool entityProperties(CQEntity& entity) override;
    bool mapProperties(CQEntity& world, MapPropertiesUse use) override;
    std::optional<std::string> textureSelector(const std::string& wadPath, const std::string& current) override;

private:
    void notify(const QString& text) const;

    QWidget* parent_;
    Notify notAvailable_;
    Folders textureFolders_;
};

} // namespace vorn
