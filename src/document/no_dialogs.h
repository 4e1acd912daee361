#pragma once

#include "document/dialogs.h"

namespace vorn {

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
