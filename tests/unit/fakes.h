#pragma once

#include "document/no_dialogs.h"
#include "geometry/brush.h"
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
    bool shown() const override { return true; }
    void beep(int hz, int ms) override { beeps.push_back({hz, ms}); }
    void updateViews(int flags) override { updates.push_back(flags); }
    void setBusy(bool busy) override { busyChanges.push_back(busy); }
    void statusMessage(std::string_view text) override { statuses.emplace_back(text); }
    std::optional<std::string> chooseFileToOpen(const FileChooser& c) override { return choosers.push_back(c), file; }
    std::optional<std::string> chooseFileToSave(const FileChooser& c) override { return choosers.push_back(c), file; }
    std::unique_ptr<Progress> startProgress(std::string_view) override { return std::make_unique<ProgressRecorder>(progress); }

    int lastUpdate() const { return updates.empty() ? 0 : updates.back(); }
    int debugCount(std::string_view text) const { return static_cast<int>(std::ranges::count(debug, text)); }

    std::vector<std::string> messages;
    std::vector<std::string> statuses;
    std::vector<std::string> debug;
    std::vector<std::pair<int, int>> beeps;
    std::vector<int> updates;
    std::vector<bool> busyChanges;
    std::vector<FileChooser> choosers;
    std::optional<std::string> file; // the file choosers' answer; nothing: cancelled
    std::vector<double> progress;    // every share of a task reported done, of every task

private:
    struct ProgressRecorder final : Progress {
        explicit ProgressRecorder(std::vector<double>& shares) : shares(shares) {}
        void report(size_t done, size_t total) override { shares.push_back(static_cast<double>(done) / static_cast<double>(total)); }
        std::vector<double>& shares;
    };
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
    std::optional<EntityPropertiesResult> entityProperties(const CQEntity& entity, const EntityClassList& classes) override
    {
        EntityPropertiesForm form(entity, classes);
        if (!editEntity(form, classes)) return std::nullopt;
        return form.ok();
    }
    std::optional<MapPropertiesResult> mapProperties(const MapPropertiesForm& start) override
    {
        MapPropertiesForm form = start;
        if (!editWorld(form)) return std::nullopt;
        return form.ok();
    }
    std::optional<std::string> textureSelector(const std::string&, const std::string&) override { return texture; }

    Script<RoomSettings> room;
    Script<StairsSettings> stairs;
    Script<RampSettings> ramp;
    Script<ArchSettings> arch;
    Script<CylinderSettings> cylinder;
    Script<SpikeSettings> spike;
    Script<RotationSettings> rotation;
    Script<ScaleSettings> scale;
    // The properties dialogs: what the user changes in the opened form before OK, or false for Cancel.
    std::function<bool(EntityPropertiesForm&, const EntityClassList&)> editEntity = [](EntityPropertiesForm&, const EntityClassList&) { return false; };
    std::function<bool(MapPropertiesForm&)> editWorld = [](MapPropertiesForm&) { return false; };
    std::optional<std::string> texture; // the texture selector's choice; nothing: cancelled
};

// Textures of one size: every one, or only the one named (the others of no known size).
class FixedTextureSizes : public TextureSizeSource {
public:
    FixedTextureSizes(int width, int height, std::string only = {}) : size{width, height}, only(std::move(only)) {}
    Size textureSize(std::string_view name) override { return only.empty() || name == only ? size : Size{}; }

    Size size;
    std::string only;
};

} // namespace vorn::test
