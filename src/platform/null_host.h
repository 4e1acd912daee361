#pragma once

#include "platform/dialogs.h"
#include "platform/host.h"

namespace vorn {

// A host for running the core without a window: it shows nothing, asks nothing (a question is
// cancelled) and chooses no file. Programs and tests override what they want to see.
class NullHost : public Host {
public:
    void messageBox(std::string_view) override {}
    SaveAnswer askSaveChanges(std::string_view) override { return SaveAnswer::Cancel; }
    void debugOutput(std::string_view) override {}
    void beep(int, int) override {}
    void updateViews(int) override {}
    void controlPanelChanged() override {}
    void setBusy(bool) override {}
    std::optional<std::string> chooseFileToOpen(const FileChooser&) override { return std::nullopt; }
    std::optional<std::string> chooseFileToSave(const FileChooser&) override { return std::nullopt; }
    std::unique_ptr<Progress> startProgress(std::string_view) override { return nullptr; }
};

// Dialogs that are all cancelled.
class NoDialogs : public Dialogs {
public:
    std::optional<RoomSettings> makeRoom(const RoomSettings&) override { return std::nullopt; }
    std::optional<StairsSettings> makeStairs(const StairsSettings&) override { return std::nullopt; }
    std::optional<RampSettings> makeRamp(const RampSettings&) override { return std::nullopt; }
    std::optional<ArchSettings> makeArch(const ArchSettings&) override { return std::nullopt; }
    std::optional<CylinderSettings> makeCylinder(const CylinderSettings&) override { return std::nullopt; }
    std::optional<SpikeSettings> makeSpike(const SpikeSettings&) override { return std::nullopt; }
    std::optional<RotationSettings> rotationSetup(const RotationSettings&) override { return std::nullopt; }
    std::optional<ScaleSettings> scaleSettings(const ScaleSettings&) override { return std::nullopt; }
    std::optional<EntityPropertiesResult> entityProperties(const CQEntity&, const EntityClassList&) override { return std::nullopt; }
    std::optional<MapPropertiesResult> mapProperties(const MapPropertiesForm&) override { return std::nullopt; }
    std::optional<std::string> textureSelector(const std::string&, const std::string&) override { return std::nullopt; }
};

} // namespace vorn
