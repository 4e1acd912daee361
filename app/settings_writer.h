#pragma once

#include "ui/preferences.h"

namespace vorn {

class Editor;
class QtSettingsStore;

// Writes the settings file whenever the preferences changed since it last did, together with
// whatever else was put into the settings meanwhile (the recent files), so that a crash loses
// none of it. A file that cannot be written is reported once, until a write succeeds again.
class SettingsWriter {
public:
    // The preferences as they are now count as written.
    SettingsWriter(Editor& editor, QtSettingsStore& store);

    void write();

private:
    Editor& editor_;
    QtSettingsStore& store_;
    Preferences written_;
    bool failureReported_ = false;
};

} // namespace vorn
