#include "platform/dialog_checks.h"
#include "platform/dialogs.h"

#include <gtest/gtest.h>

#include <limits>

using namespace vorn;

TEST(DialogSettings, DefaultsAreAccepted)
{
    EXPECT_FALSE(RoomSettings{}.problem());
    EXPECT_FALSE(StairsSettings{}.problem());
    EXPECT_FALSE(RampSettings{}.problem());
    EXPECT_FALSE(ArchSettings{}.problem());
    EXPECT_FALSE(CylinderSettings{}.problem());
    EXPECT_FALSE(SpikeSettings{}.problem());
    EXPECT_FALSE(RotationSettings{}.problem());
    EXPECT_FALSE(ScaleSettings{}.problem());
}

TEST(DialogSettings, WholeNumbersOutsideTheirRangeNameTheFieldAndTheRange)
{
    EXPECT_EQ(RoomSettings{0}.problem(), "Wall Thickness must be a whole number from 1 to 256.");
    EXPECT_FALSE(RoomSettings{256}.problem());
    EXPECT_EQ(RoomSettings{257}.problem(), "Wall Thickness must be a whole number from 1 to 256.");

    StairsSettings stairs;
    stairs.height = 33;
    EXPECT_EQ(stairs.problem(), "Height must be a whole number from 1 to 32.");
    stairs.height = 1;
    stairs.thickness = 1000; // no upper limit
    EXPECT_FALSE(stairs.problem());
    stairs.thickness = -8;   // but no steps with their bottom above their top
    EXPECT_EQ(stairs.problem(), "Thickness must be a whole number, 0 or more.");

    ArchSettings arch;
    arch.pieces = 3;
    EXPECT_EQ(arch.problem(), "Pieces must be a whole number from 4 to 16.");
    arch.pieces = 16;
    arch.thickness = 65;
    EXPECT_EQ(arch.problem(), "Thickness must be a whole number from 1 to 64.");

    CylinderSettings cylinder;
    cylinder.sides = 17;
    EXPECT_EQ(cylinder.problem(), "Sides must be a whole number from 3 to 16.");
    cylinder.sides = 3;
    cylinder.thickness = -1;
    EXPECT_EQ(cylinder.problem(), "Thickness must be a whole number from 0 to 256.");

    SpikeSettings spike;
    spike.sides = 33;
    EXPECT_EQ(spike.problem(), "Sides must be a whole number from 3 to 32.");

    RotationSettings rotation;
    rotation.x = -360;
    rotation.z = 400;
    EXPECT_EQ(rotation.problem(), "Z Angle must be a whole number from -360 to 360.");
    rotation.y = -361;
    EXPECT_EQ(rotation.problem(), "Y Angle must be a whole number from -360 to 360.");
}

TEST(DialogSettings, ChoicesOutsideTheListAreRefused)
{
    StairsSettings stairs;
    stairs.upEnd = static_cast<Compass>(4);
    EXPECT_EQ(stairs.problem(), "Up end must be one of North, South, East, West.");
    EXPECT_EQ(RampSettings{static_cast<Compass>(-1)}.problem(),
              "Which end is elevated? must be one of North, South, East, West.");

    ArchSettings arch;
    arch.direction = 2;
    EXPECT_EQ(arch.problem(), "Direction Arch Faces must be one of North/South, East/West.");
    SpikeSettings spike;
    spike.direction = 5;
    EXPECT_FALSE(spike.problem());
    spike.direction = 6;
    EXPECT_EQ(spike.problem(), "Point direction must be one of Up, North, East, Down, South, West.");
}

TEST(DialogSettings, ScaleFactorsFromATenthToTen)
{
    ScaleSettings scale;
    scale.x = 0.1f;
    scale.y = 10;
    EXPECT_FALSE(scale.problem());
    scale.z = 0.05f;
    EXPECT_EQ(scale.problem(), "Z must be a number from 0.1 to 10.");
    scale.z = 1;
    scale.x = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(scale.problem(), "X must be a number from 0.1 to 10.");

    scale.x = 3;
    scale.makeEqual();
    EXPECT_EQ(scale.y, 3);
    EXPECT_EQ(scale.z, 3);
}
