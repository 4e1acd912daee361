#pragma once

#include "platform/host.h"

#include <functional>
#include <string>
#include <vector>

namespace vorn::test {

// A host for GUI tests that records messages and debug output and answers nothing.
class GuiFakeHost : public Host {
public:
    void messageBox(std::string_view text) override { messages.emplace_back(text); }
    SaveAnswer askSaveChanges(std::string_view) override { return SaveAnswer::No; }
    void debugOutput(std::string_view text) override
    {
        debug.emplace_back(text);
        if (onDebugOutput) onDebugOutput();
    }
    void beep(int, int) override {}
    void updateViews(int) override {}
    void controlPanelChanged() override {}
    void setBusy(bool) override {}
    std::optional<std::string> chooseFileToOpen(const FileChooser&) override { return std::nullopt; }
    std::optional<std::string> chooseFileToSave(const FileChooser&) override { return std::nullopt; }
    std::unique_ptr<Progress> startProgress(std::string_view) override { return nullptr; }

    std::vector<std::string> messages;
    std::vector<std::string> debug;
    std::function<void()> onDebugOutput; // runs inside each debug report
};

} // namespace vorn::test
