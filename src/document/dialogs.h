#pragma once

#include "entities/entity_properties_form.h"
#include "entities/map_properties_form.h"

#include <optional>
#include <string>

namespace vorn {

class CQEntity;
class EntityClassList;

// A whole-number field with the range the dialog accepts.
struct IntRange {
    int min;
    int max;
    bool contains(int v) const { return v >= min && v <= max; }
};

// Each dialog's values, as it opens and as confirmed; problem() names the first value out of its
// range, or nothing when all are fine. The core checks confirmed values again.
struct RoomSettings {
    static constexpr IntRange kWallThickness{1, 256};
    int wallThickness = 16;
    std::optional<std::string> problem() const;
};

enum class Compass { North = 0, South = 1, East = 2, West = 3 };

struct StairsSettings {
    static constexpr IntRange kHeight{1, 32};
    Compass upEnd = Compass::North;
    int height = 16;
    int thickness = 0; // not range checked
    std::optional<std::string> problem() const;
};

struct RampSettings {
    Compass elevatedEnd = Compass::North;
    std::optional<std::string> problem() const;
};

struct ArchSettings {
    static constexpr IntRange kPieces{4, 16};
    static constexpr IntRange kThickness{1, 64};
    int direction = 0; // 0 North/South, 1 East/West
    int pieces = 5;
    int thickness = 16;
    std::optional<std::string> problem() const;
};

struct CylinderSettings {
    static constexpr IntRange kSides{3, 16};
    static constexpr IntRange kThickness{0, 256};
    int direction = 0; // 0 Up/Down, 1 North/South, 2 East/West
    int sides = 8;
    int thickness = 0;
    std::optional<std::string> problem() const;
};

struct SpikeSettings {
    static constexpr IntRange kSides{3, 32};
    int direction = 0; // 0 Up, 1 North, 2 East, 3 Down, 4 South, 5 West
    int sides = 8;
    std::optional<std::string> problem() const;
};

struct RotationSettings {
    static constexpr IntRange kAngle{-360, 360};
    int x = 15;
    int y = 15;
    int z = 15;
    std::optional<std::string> problem() const;
};

struct ScaleSettings {
    static constexpr float kMin = 0.1f;
    static constexpr float kMax = 10.0f;
    float x = 2;
    float y = 2;
    float z = 2;
    // The "Equal" button: Y and Z take the X value.
    void makeEqual() { y = z = x; }
    std::optional<std::string> problem() const;
};

// The modal dialogs: each opens with the given values and returns the confirmed ones, or
// nothing when it was cancelled.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual std::optional<RoomSettings> makeRoom(const RoomSettings& start) = 0;
    virtual std::optional<StairsSettings> makeStairs(const StairsSettings& start) = 0;
    virtual std::optional<RampSettings> makeRamp(const RampSettings& start) = 0;
    virtual std::optional<ArchSettings> makeArch(const ArchSettings& start) = 0;
    virtual std::optional<CylinderSettings> makeCylinder(const CylinderSettings& start) = 0;
    virtual std::optional<SpikeSettings> makeSpike(const SpikeSettings& start) = 0;
    virtual std::optional<RotationSettings> rotationSetup(const RotationSettings& start) = 0;
    virtual std::optional<ScaleSettings> scaleSettings(const ScaleSettings& start) = 0;
    // Entity Properties on the entity, which it leaves as it is: what OK makes of it.
    virtual std::optional<EntityPropertiesResult> entityProperties(const CQEntity& entity, const EntityClassList& classes) = 0;
    // Map Properties, opened with the world's values or, for a map without a world, the creating
    // use's: what OK makes of the world.
    virtual std::optional<MapPropertiesResult> mapProperties(const MapPropertiesForm& start) = 0;
    // Picks a texture of the archive; nothing when cancelled.
    virtual std::optional<std::string> textureSelector(const std::string& wadPath, const std::string& current) = 0;
};

} // namespace vorn
