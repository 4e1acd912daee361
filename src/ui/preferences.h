#pragma once

#include <string>
#include <string_view>

namespace vorn {

// A persistent store of settings in sections, e.g. the user's configuration file.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::string readString(std::string_view section, std::string_view key, std::string_view fallback) const = 0;
    virtual int readInt(std::string_view section, std::string_view key, int fallback) const = 0;
    virtual void writeString(std::string_view section, std::string_view key, std::string_view value) = 0;
    virtual void writeInt(std::string_view section, std::string_view key, int value) = 0;
};

// A client area's size as stored: only the right and bottom edges (left and top are 0).
struct PaneSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PaneSize&, const PaneSize&) = default;
};

// The main window's placement as stored; all zeros means never stored.
struct WindowPlacement {
    int show = 0;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool isStored() const { return left != 0 || top != 0 || right != 0 || bottom != 0; }
    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

// Everything the editor remembers between runs, named after the stored keys.
struct Preferences {
    std::string entityList = "entities.qel";
    // The camera starts on and textured for a new user; a stored 0 keeps it off.
    int camOn = 1;
    int camMode = 0x100;
    std::string curTexture = "*NONE*";
    std::string authorName;
    std::string authorEmail;
    std::string qbsp;
    std::string vis;
    std::string light;
    std::string quake;
    std::string temp;
    std::string wad; // the current texture archive
    std::string gameFolder; // where relative texture archives are looked for last
    int curTargetId = 0;
    int xyGridSize = 16;
    int xyGridShow = 1;
    int xyGridSnap = 1;
    int xyDrawNames = 1;
    int xyScalePercent = 100;
    int autosaveMinutes = 5; // 0 turns autosave off
    int textureLock = 0;     // moves, turns and scaling keep the textures fixed to their faces
    PaneSize xyPane{600, 120};
    PaneSize camPane{200, 150};
    PaneSize controlPane{100, 150};
    PaneSize zPane{100, 120};
    WindowPlacement mainWindow;
    // "four": the camera and three 2D views (top, front, side) in a grid; "classic": the camera
    // and the control panel above one 2D view and the Z view.
    std::string layout = "four";
    // The four-view layout's camera pane (its width splits the grid's columns, its height its
    // rows) and its front view's width; 0 puts the splitter in the middle.
    PaneSize fourCamera{0, 0};
    int fourFrontWidth = 0;

    // Missing values take their defaults; a camera pane size below 1 takes the default.
    void load(const SettingsStore& store);
    void save(SettingsStore& store) const;
    friend bool operator==(const Preferences&, const Preferences&) = default;
};

} // namespace vorn
