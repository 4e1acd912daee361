#include "autosave.h"

#include "document/map_snapshot.h"
#include "editor/editor.h"
#include "installed_files.h"
#include "platform/file_saving.h"
#include "platform/host.h"
#include "platform/recovery_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>

#include <functional>
#include <string_view>

namespace vorn {
namespace {

constexpr int kMinute = 60 * 1000;

// The map text without its header, whose "Last modified" line changes with every write.
std::size_t bodyHash(std::string_view text)
{
    const auto headerEnd = text.find("\n\n");
    return std::hash<std::string_view>{}(headerEnd == std::string_view::npos ? text : text.substr(headerEnd));
}

} // namespace

Autosave::Autosave(Editor& editor, QString folder, QObject* parent)
    : QObject(parent), editor_(editor), folder_(std::move(folder))
{
    editor_.map().addListener(*this);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (editor_.prefs().autosaveMinutes > 0) saveNow();
        restartTimer();
    });
    restartTimer();
}

Autosave::~Autosave()
{
    editor_.map().removeListener(*this);
    if (writing_.valid()) writing_.wait();
}

void Autosave::mapChanged(const MapNotice& notice)
{
    // Another selection alone writes the same text.
    const bool onlySelection = notice.added.empty() && notice.removed.empty() && notice.changed.empty() &&
                               !notice.entitiesChanged && !notice.keysChanged && !notice.reset;
    if (!onlySelection) changed_ = true;
}

QString Autosave::defaultFolder()
{
    return userDataFolder() + QStringLiteral("/recovery");
}

void Autosave::restartTimer()
{
    // Off still looks again each minute, so that a changed preference takes effect.
    const int minutes = editor_.prefs().autosaveMinutes;
    timer_.start(minutes > 0 ? minutes * kMinute : kMinute);
}

void Autosave::saveNow()
{
    finishWriting();
    const CQMap& map = editor_.map();
    if (!map.IsModifiedSinceSave()) {
        discard();
        return;
    }
    if (!changed_) return;
    if (file_.isEmpty()) {
        if (!QDir().mkpath(folder_)) {
            editor_.host().messageBox("Could not autosave: the folder " + folder_.toStdString() + " cannot be made.");
            return;
        }
        if (!claimNewFile()) {
            editor_.host().messageBox("Could not autosave: no recovery file can be made in " + folder_.toStdString() + ".");
            return;
        }
    }
    changed_ = false;
    // Building the text of a large map takes longer than a frame; copying it does not.
    writing_ = std::async(std::launch::async, [path = file_.toStdString(), snapshot = TakeMapSnapshot(map, map.pathName(), editor_.author()),
                                               previous = writtenBody_]() mutable {
        const MapSnapshot copy = std::move(snapshot); // freed on this thread too
        const std::string text = copy.text();
        const std::size_t body = bodyHash(text);
        return WriteOutcome{body, body == previous ? std::nullopt : SaveFile(path, text)};
    });
}

void Autosave::finishWriting()
{
    if (!writing_.valid()) return;
    const WriteOutcome outcome = writing_.get();
    if (!outcome.failure) {
        writtenBody_ = outcome.body;
        return;
    }
    writtenBody_ = 0; // try again at the next autosave
    changed_ = true;
    editor_.host().messageBox("Could not autosave to " + file_.toStdString() + ": " + *outcome.failure);
}

void Autosave::discard()
{
    finishWriting();
    if (!file_.isEmpty()) QFile::remove(file_);
    release();
}

bool Autosave::adopt(const QString& path)
{
    discard();
    if (!claim(path)) return false;
    changed_ = false; // the file holds the map as it is now
    return true;
}

bool Autosave::claimNewFile()
{
    // A file of that name left by an editor that had the same process id is not overwritten.
    constexpr int kAttempts = 100;
    const qint64 pid = QCoreApplication::applicationPid();
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const QString path =
            folder_ + QLatin1Char('/') + QString::fromStdString(RecoveryFileName(editor_.map().title(), pid, ++serial_));
        if (!QFile::exists(path) && claim(path)) return true;
    }
    return false;
}

bool Autosave::claim(const QString& path)
{
    auto lock = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
    lock->setStaleLockTime(0); // only a lock whose editor is gone is stale, however old
    if (!lock->tryLock(0)) return false;
    lock_ = std::move(lock);
    file_ = path;
    return true;
}

void Autosave::release()
{
    lock_.reset();
    file_.clear();
    changed_ = true;
    writtenBody_ = 0;
}

} // namespace vorn
