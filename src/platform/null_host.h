#pragma once

#include "platform/host.h"

namespace vorn {

// A host for running the core without a window: it shows nothing, asks nothing (a question is
// cancelled) and chooses no file. Programs and tests override what they want to see.
class NullHost : public Host {
public:
    void messageBox(std::string_view) override {}
    SaveAnswer askSaveChanges(std::string_view) override { return SaveAnswer::Cancel; }
    void debugOutput(std::string_view) override {}
    bool shown() const override { return false; }
    void beep(int, int) override {}
    void updateViews(int) override {}
    void controlPanelChanged() override {}
    void statusMessage(std::string_view) override {}
    void setBusy(bool) override {}
    std::optional<std::string> chooseFileToOpen(const FileChooser&) override { return std::nullopt; }
    std::optional<std::string> chooseFileToSave(const FileChooser&) override { return std::nullopt; }
    std::unique_ptr<Progress> startProgress(std::string_view) override { return nullptr; }
};

} // namespace vorn
