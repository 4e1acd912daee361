#pragma once

#include "platform/dialogs.h"
#include "platform/host.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vorn::test {

// A host that records what the core asked of it and answers from a script.
class FakeHost : public Host {
public:
    void messageBox(std::string_view text) override { messages.emplace_back(text); }
    SaveAnswer askSaveChanges(std::string_view title) override
    {
        saveQuestions.emplace_back(title);
        return saveAnswer;
    }
    void debugOutput(std::string_view text) override { debug.emplace_back(text); }
    void beep(int hz, int ms) override { beeps.push_back({hz, ms}); }
    void updateViews(int flags) override { updates.push_back(flags); }
    void controlPanelChanged() override { ++panelChanges; }
    void setBusy(bool busy) override { busyCalls.push_back(busy); }
    std::optional<std::string> chooseFileToOpen(const FileChooser& chooser) override
    {
        choosers.push_back(chooser);
        return nextFile();
    }
    std::optional<std::string> chooseFileToSave(const FileChooser& chooser) override
    {
        choosers.push_back(chooser);
        return nextFile();
    }
    std::unique_ptr<Progress> startProgress(std::string_view title) override
    {
        progressTitles.emplace_back(title);
        return nullptr;
    }

    int lastUpdate() const { return updates.empty() ? 0 : updates.back(); }
    int debugCount(std::string_view text) const
    {
        int n = 0;
        for (const auto& line : debug) n += line == text ? 1 : 0;
        return n;
    }

    std::vector<std::string> messages;
    std::vector<std::string> saveQuestions;
    std::vector<std::string> debug;
    std::vector<std::pair<int, int>> beeps;
    std::vector<int> updates;
    int panelChanges = 0;
    std::vector<bool> busyCalls;
    std::vector<FileChooser> choosers;
    std::vector<std::string> progressTitles;
    SaveAnswer saveAnswer = SaveAnswer::No;
    std::deque<std::optional<std::string>> files; // answers of the file choosers, in order

private:
    std::optional<std::string> nextFile()
    {
        if (files.empty()) return std::nullopt;
        auto answer = files.front();
        files.pop_front();
        return answer;
    }
};

// Dialogs that confirm with scripted values (or cancel when a script is empty) and record
// the values they were opened with.
class FakeDialogs : public Dialogs {
public:
    template <typename T>
    struct Script {
        std::vector<T> openedWith;
        std::optional<T> answer; // nothing: cancel; set: confirm with these values
        bool confirmAsOpened = false;
        std::optional<T> respond(const T& start)
        {
            openedWith.push_back(start);
            if (confirmAsOpened) return start;
            return answer;
        }
    };

    std::optional<RoomSettings> makeRoom(const RoomSettings& s) override { return room.respond(s); }
    std::optional<StairsSettings> makeStairs(const StairsSettings& s) override { return stairs.respond(s); }
    std::optional<RampSettings> makeRamp(const RampSettings& s) override { return ramp.respond(s); }
    std::optional<ArchSettings> makeArch(const ArchSettings& s) override { return arch.respond(s); }
    std::optional<CylinderSettings> makeCylinder(const CylinderSettings& s) override { return cylinder.respond(s); }
    std::optional<SpikeSettings> makeSpike(const SpikeSettings& s) override { return spike.respond(s); }
    std::optional<RotationSettings> rotationSetup(const RotationSettings& s) override { return rotation.respond(s); }
    std::optional<ScaleSettings> scaleSettings(const ScaleSettings& s) override { return scale.respond(s); }
    bool entityProperties(CQEntity& entity) override
    {
        ++entityPropertiesOpened;
        return editEntity ? editEntity(entity) : false;
    }
    bool mapProperties(CQEntity& world, MapPropertiesUse use) override
    {
        ++mapPropertiesOpened;
        lastMapPropertiesUse = use;
        return editWorld ? editWorld(world) : false;
    }

    std::optional<std::string> textureSelector(const std::string& wad, const std::string& current) override
    {
        textureSelectorOpenedWith.emplace_back(wad, current);
        return chosenTexture;
    }

    Script<RoomSettings> room;
    Script<StairsSettings> stairs;
    Script<RampSettings> ramp;
    Script<ArchSettings> arch;
    Script<CylinderSettings> cylinder;
    Script<SpikeSettings> spike;
    Script<RotationSettings> rotation;
    Script<ScaleSettings> scale;
    std::function<bool(CQEntity&)> editEntity; // unset: Cancel
    std::function<bool(CQEntity&)> editWorld;
    std::optional<std::string> chosenTexture; // unset: Cancel
    std::vector<std::pair<std::string, std::string>> textureSelectorOpenedWith;
    int entityPropertiesOpened = 0;
    int mapPropertiesOpened = 0;
    MapPropertiesUse lastMapPropertiesUse = MapPropertiesUse::Editing;
};

} // namespace vorn::test
