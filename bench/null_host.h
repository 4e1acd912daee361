#pragma once

#include "platform/host.h"

namespace vorn::bench {

// A host that answers nothing and shows nothing.
class NullHost final : public Host {
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

} // namespace vorn::bench
