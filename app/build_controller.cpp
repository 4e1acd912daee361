#include "build_controller.h"

#include "build_output_pane.h"
#include "document/build_session.h"
#include "document/point_file.h"
#include "editor/editor.h"
#include "editor_actions.h"
#include "platform/file_copy.h"
#include "platform/host.h"
#include "tool_process.h"

#include <QAction>
#include <QMainWindow>
#include <QMessageBox>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <utility>

namespace vorn {
namespace {

struct CommandAction {
    const char* key;
    BuildCommand command;
};

const std::array<CommandAction, 8> kCommands{{
    {"build.qbspFull", BuildCommand::QbspFull},
    {"build.qbspEntities", BuildCommand::QbspEntities},
    {"build.lightRegular", BuildCommand::LightRegular},
    {"build.lightExtra", BuildCommand::LightExtra},
    {"build.visRegular", BuildCommand::VisRegular},
    {"build.visFast", BuildCommand::VisFast},
    {"build.test", BuildCommand::Test},
    {"build.compile", BuildCommand::Compile},
}};

ToolPaths toolPathsOf(const Preferences& prefs)
{
    return {prefs.qbsp, prefs.light, prefs.vis, prefs.quake, prefs.gameFolder};
}

} // namespace

BuildController::BuildController(Editor& editor, const EditorActions& actions, QMainWindow& window,
                                 std::function<bool()> save)
    : QObject(&window), editor_(editor), actions_(actions), window_(window), save_(std::move(save)),
      process_(new ToolProcess(this)), decoder_(std::make_unique<QStringDecoder>(QStringDecoder::Utf8))
{
    for (const CommandAction& entry : kCommands) {
        connect(actions_[QString::fromLatin1(entry.key)], &QAction::triggered, this,
                [this, command = entry.command] { run(command); });
    }
    connect(actions_[QStringLiteral("build.clearLeak")], &QAction::triggered, this, &BuildController::clearLeakPath);
    connect(process_, &ToolProcess::output, this, &BuildController::takeOutput);
    connect(process_, &ToolProcess::exited, this, &BuildController::runExited);
    connect(process_, &ToolProcess::failedToStart, this, &BuildController::runFailedToStart);
}

BuildController::~BuildController() = default;

void BuildController::run(BuildCommand command)
{
    if (running()) return;
    const CQMap& map = editor_.map();
    const auto planned = [&] {
        return PlanBuild(command, {map.IsModifiedSinceSave(), map.pathName()}, toolPathsOf(editor_.prefs()));
    };
    BuildPlan plan = planned();
    if (map.IsModifiedSinceSave()) {
        if (!offerToSave(plan.refusal)) return;
        plan = planned();
    }
    if (!plan.refusal.empty()) {
        editor_.host().messageBox(plan.refusal);
        return;
    }
    mapPath_ = map.pathName();
    session_ = std::make_unique<BuildSession>(std::move(plan.runs));
    showPane();
    setCommandsEnabled(false);
    startCurrentRun();
}

bool BuildController::offerToSave(const std::string& refusal)
{
    const QMessageBox::StandardButton answer =
        QMessageBox::question(&window_, QStringLiteral("Vorn"), QString::fromStdString(refusal),
                              QMessageBox::Save | QMessageBox::Cancel, QMessageBox::Save);
    return answer == QMessageBox::Save && save_();
}

void BuildController::stop()
{
    if (!running()) return;
    stopRequested_ = true;
    process_->stop();
}

bool BuildController::running() const
{
    return session_ && !session_->over();
}

void BuildController::startCurrentRun()
{
    const ToolRun& run = *session_->current();
    stopRequested_ = false;
    filter_ = ConsoleFilter();
    decoder_->resetState();
    if (run.mayLeak) {
        clearLeakPath();
        runStarted_ = std::filesystem::file_time_type::clock::now();
    }
    print(session_->starting());
    if (run.copyFirst) {
        if (const auto failure = CopyFileReplacing(run.copyFirst->from, run.copyFirst->to)) {
            print(session_->failedToCopy(*failure));
            continueBuild();
            return;
        }
    }
    process_->start(run);
}

void BuildController::takeOutput(const QByteArray& bytes)
{
    pane_->append(decoder_->decode(QByteArray::fromStdString(filter_.feed(std::string_view(bytes.data(), bytes.size())))));
}

void BuildController::runExited(int exitCode, bool crashed)
{
    if (!running()) return;
    const bool mayLeak = session_->current()->mayLeak;
    if (stopRequested_) {
        print(session_->stopped());
    } else {
        // A crash leaves an exit code of no meaning; it is never a success.
        print(session_->finished(crashed ? BuildSession::kNoExitCode : exitCode));
        if (mayLeak) reportLeak();
    }
    continueBuild();
}

void BuildController::runFailedToStart(int error)
{
    if (!running()) return;
    print(session_->failedToStart(LaunchFailure::fromErrno(error)));
    continueBuild();
}

void BuildController::continueBuild()
{
    if (!session_->over()) {
        startCurrentRun();
        return;
    }
    pane_->setRunning(false);
    pane_->scrollToEnd();
    setCommandsEnabled(true);
}

void BuildController::print(std::string_view text)
{
    pane_->append(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void BuildController::showPane()
{
    if (!pane_) {
        pane_ = new BuildOutputPane(&window_);
        pane_->hide();
        window_.addDockWidget(Qt::BottomDockWidgetArea, pane_);
        connect(pane_, &BuildOutputPane::stopClicked, this, &BuildController::stop);
    }
    if (!pane_->isVisible()) {
        pane_->show();
        // The views keep most of the window.
        window_.resizeDocks({pane_}, {std::min(pane_->sizeHint().height(), window_.height() / 3)}, Qt::Vertical);
    }
    pane_->raise();
    pane_->setRunning(true);
}

void BuildController::setCommandsEnabled(bool enabled)
{
    for (const CommandAction& entry : kCommands) actions_[QString::fromLatin1(entry.key)]->setEnabled(enabled);
}

void BuildController::reportLeak()
{
    const std::string file = FindPointFile(mapPath_, runStarted_);
    if (file.empty()) return;
    PointFileRead read = ReadPointFile(file);
    if (read.points) {
        print("\nThe leak's path from " + file + " is drawn in the XY view.\n");
        setLeakPath(mapPath_, std::move(*read.points));
    } else {
        print("\nThe leak's path in " + file + " could not be read: " + read.error + "\n");
    }
    print(session_->leaked(file));
}

void BuildController::setLeakPath(const std::string& mapPath, std::vector<Vec3> points)
{
    // The XY view moves to the path, which is often far from where the user is working.
    const auto [left, right] = std::ranges::minmax(points, {}, &Vec3::x);
    const auto [bottom, top] = std::ranges::minmax(points, {}, &Vec3::y);
    editor_.xyView().centreOn(static_cast<int>((left.x + right.x) / 2), static_cast<int>((bottom.y + top.y) / 2));
    editor_.workspace().leakPath().set(mapPath, std::move(points));
    editor_.host().updateViews(ViewFlags::XY);
}

void BuildController::clearLeakPath()
{
    editor_.workspace().leakPath().clear();
    editor_.host().updateViews(ViewFlags::XY);
}

} // namespace vorn
