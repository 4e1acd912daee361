#pragma once

#include "document/console_filter.h"
#include "geometry/vec3.h"

#include <QObject>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QMainWindow;
class QStringDecoder;

namespace vorn {

class BuildOutputPane;
class BuildSession;
class Editor;
class EditorActions;
class ToolProcess;
enum class BuildCommand;

// The Build menu: offers to save a changed map, refuses or plans each command in the core, runs
// the tools one at a time while the window stays live, prints their output and banners in the
// Build Output pane, and shows the leak path a compile finds, which ends the build. The Build
// commands are disabled while a tool runs.
class BuildController final : public QObject {
    Q_OBJECT
public:
    // `save` saves the map as File > Save does: false when it was not saved.
    BuildController(Editor& editor, const EditorActions& actions, QMainWindow& window, std::function<bool()> save);
    ~BuildController() override;

    void run(BuildCommand command);
    void stop();
    bool running() const;
    // None until the first run.
    BuildOutputPane* pane() const { return pane_; }

private:
    // Asks whether to save the changed map first, with the refusal's text: true once it is saved.
    bool offerToSave(const std::string& refusal);
    void startCurrentRun();
    void takeOutput(const QByteArray& bytes);
    void runExited(int exitCode, bool crashed);
    void runFailedToStart(int error);
    // Starts the next run, or ends the build when there is none.
    void continueBuild();
    void print(std::string_view text);
    void showPane();
    void setCommandsEnabled(bool enabled);
    void reportLeak();
    // The only places that change what the XY view shows of a leak.
    void setLeakPath(const std::string& mapPath, std::vector<Vec3> points);
    void clearLeakPath();

    Editor& editor_;
    const EditorActions& actions_;
    QMainWindow& window_;
    std::function<bool()> save_;
    BuildOutputPane* pane_ = nullptr;
    ToolProcess* process_;
    std::unique_ptr<BuildSession> session_;
    std::string mapPath_; // the map of the build that runs, as the document names it
    bool stopRequested_ = false;
    ConsoleFilter filter_;
    std::unique_ptr<QStringDecoder> decoder_; // UTF-8, whose characters may be split between reads
    std::filesystem::file_time_type runStarted_;
};

} // namespace vorn
