#pragma once

#include <QString>

#include <memory>

namespace vorn {

class Autosave;
class CMainFrame;
class Editor;
class QtDialogs;
class QtHost;
class QtSettingsStore;

// The editor as a program, built in start-up order: the settings, the preferences, the class
// catalogue, the main window, then the map named on the command line. The main window writes the
// preferences as they change.
class VornApplication {
public:
    // `settingsFile` is the INI file the preferences live in.
    explicit VornApplication(const QString& settingsFile);
    ~VornApplication();

    // Opens the map named on the command line (if any), shows the window and offers the work
    // that editors which stopped without saving left behind.
    void start(const QString& mapPath);

    Editor& editor() { return *editor_; }
    CMainFrame& frame() { return *frame_; }
    QtHost& host() { return *host_; }
    Autosave& autosave() { return *autosave_; }

private:
    std::unique_ptr<QtSettingsStore> settings_;
    std::unique_ptr<QtHost> host_;
    std::unique_ptr<QtDialogs> dialogs_;
    std::unique_ptr<Editor> editor_;
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<Autosave> autosave_;
};

} // namespace vorn
