#pragma once

#include "platform/debug_output.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// Bits of the redraw request every editing command ends with.
namespace ViewFlags {
inline constexpr int Camera = 1;
inline constexpr int XY = 4;
inline constexpr int Z = 8;
inline constexpr int CameraXY = Camera | XY;  // 5
inline constexpr int CameraZ = Camera | Z;    // 9
inline constexpr int XYZ = XY | Z;            // 12
inline constexpr int Editing = Camera | XYZ;  // 13
inline constexpr int All = 255;
} // namespace ViewFlags

enum class SaveAnswer { Yes, No, Cancel };

// A file chooser's settings: filters as (description, patterns) pairs, e.g. ("Vorn Brush Files", "*.vbr").
struct FileChooser {
    std::string title;
    std::string defaultExtension;
    std::string initialName;
    std::vector<std::pair<std::string, std::string>> filters;
};

// Progress of one long operation, shown only when it takes a while.
class Progress {
public:
    virtual ~Progress() = default;
    virtual void report(size_t done, size_t total) = 0;
};

// What the core asks of the window system.
class Host : public DebugOutput {
public:
    // A modal message with an OK button; the text exactly as given, line breaks kept.
    virtual void messageBox(std::string_view text) = 0;
    // "Save changes to <title>?" with Yes, No and Cancel.
    virtual SaveAnswer askSaveChanges(std::string_view title) = 0;
    virtual void beep(int hz, int ms) = 0;
    virtual void updateViews(int flags) = 0;
    // The control panel's state in the core changed (current entity, texture, position).
    virtual void controlPanelChanged() = 0;
    // A passing note in the status bar.
    virtual void statusMessage(std::string_view text) = 0;
    virtual void setBusy(bool busy) = 0;
    virtual std::optional<std::string> chooseFileToOpen(const FileChooser& chooser) = 0;
    virtual std::optional<std::string> chooseFileToSave(const FileChooser& chooser) = 0;
    virtual std::unique_ptr<Progress> startProgress(std::string_view title) = 0;
};

// Shows the busy cursor while it lives.
class BusyScope {
public:
    explicit BusyScope(Host& host) : host_(host) { host_.setBusy(true); }
    ~BusyScope() { host_.setBusy(false); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    Host& host_;
};

} // namespace vorn
