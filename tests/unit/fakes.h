#pragma once

#include "platform/null_host.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vorn::test {

// A host that records what the core told it and gives the file choosers a set answer.
class FakeHost : public NullHost {
public:
    void messageBox(std::string_view text) override { messages.emplace_back(text); }
    void debugOutput(std::string_view text) override { debug.emplace_back(text); }
    void beep(int hz, int ms) override { beeps.push_back({hz, ms}); }
    void updateViews(int flags) override { updates.push_back(flags); }
    std::optional<std::string> chooseFileToOpen(const FileChooser& c) override { return choosers.push_back(c), file; }
    std::optional<std::string> chooseFileToSave(const FileChooser& c) override { return choosers.push_back(c), file; }

    int lastUpdate() const { return updates.empty() ? 0 : updates.back(); }
    int debugCount(std::string_view text) const { return static_cast<int>(std::ranges::count(debug, text)); }

    std::vector<std::string> messages;
    std::vector<std::string> debug;
    std::vector<std::pair<int, int>> beeps;
    std::vector<int> updates;
    std::vector<FileChooser> choosers;
    std::optional<std::string> file; // the file choosers' answer; nothing: cancelled
};

// Dialogs that record the values they were opened with and confirm scripted values; unscripted,
// they are cancelled.
class FakeDialogs : public NoDialogs {
public:
    template <typename T>
    struct Script {
        std::vector<T> openedWith;
        std::optional<T> answer; // nothing: cancel; set: confirm with these values
        bool confirmAsOpened = false;
        std::optional<T> respond(const T& s) { return openedWith.push_back(s), confirmAsOpened ? s : answer; }
    };

    std::optional<RoomSettings> makeRoom(const RoomSettings& s) override { return room.respond(s); }
    std::optional<StairsSettings> makeStairs(const StairsSettings& s) override { return stairs.respond(s); }
    std::optional<RampSettings> makeRamp(const RampSettings& s) override { return ramp.respond(s); }
    std::optional<ArchSettings> makeArch(const ArchSettings& s) override { return arch.respond(s); }
    std::optional<CylinderSettings> makeCylinder(const CylinderSettings& s) override { return cylinder.respond(s); }
    std::optional<SpikeSettings> makeSpike(const SpikeSettings& s) override { return spike.respond(s); }
    std::optional<RotationSettings> rotationSetup(const RotationSettings& s) override { return rotation.respond(s); }
    std::optional<ScaleSettings> scaleSettings(const ScaleSettings& s) override { return scale.respond(s); }
    bool entityProperties(CQEntity& entity) override { return editEntity(entity); }
    bool mapProperties(CQEntity& world, MapPropertiesUse) override { return editWorld(world); }
    std::optional<std::string> textureSelector(const std::string&, const std::string&) override { return texture; }

    Script<RoomSettings> room;
    Script<StairsSettings> stairs;
    Script<RampSettings> ramp;
    Script<ArchSettings> arch;
    Script<CylinderSettings> cylinder;
    Script<SpikeSettings> spike;
    Script<RotationSettings> rotation;
    Script<ScaleSettings> scale;
    // The properties dialogs: what OK changes, or false for Cancel.
    std::function<bool(CQEntity&)> editEntity = [](CQEntity&) { return false; };
    std::function<bool(CQEntity&)> editWorld = [](CQEntity&) { return false; };
    std::optional<std::string> texture; // the texture selector's choice; nothing: cancelled
};

} // namespace vorn::test
