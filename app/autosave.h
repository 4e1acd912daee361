#pragma once

#include "document/map_notice.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <future>
#include <memory>
#include <optional>
#include <string>

class QLockFile;

namespace vorn {

class Editor;

// Writes the modified map every "autosave_minutes" to this editor's own recovery file (locked,
// so that no other running editor offers it), never over the user's file. The map is copied on
// the user-interface thread; its text is built and written on a thread of its own.
class Autosave final : public QObject, private MapListener {
    Q_OBJECT
public:
    Autosave(Editor& editor, QString folder, QObject* parent = nullptr);
    ~Autosave() override;

    // $XDG_DATA_HOME/Vorn/recovery (by default ~/.local/share/Vorn/recovery).
    static QString defaultFolder();
    const QString& folder() const { return folder_; }
    // This editor's recovery file; empty while it has none.
    const QString& currentFile() const { return file_; }

    // Starts the write when the map is modified and changed since the last autosave; removes
    // the recovery file when the map is no longer modified (it was saved).
    void saveNow();
    // Waits for a write in progress and tells the user when it failed.
    void finishWriting();
    // Removes the recovery file: the map was saved, or dropped after the user said No.
    void discard();
    // Makes a recovery file this editor's own (the map was restored from it); false when
    // another running editor holds it.
    bool adopt(const QString& path);

private:
    struct WriteOutcome {
        std::size_t body = 0; // a hash of the text without its dated header
        std::optional<std::string> failure;
    };

    void mapChanged(const MapNotice& notice) override;
    void restartTimer();
    bool claimNewFile();
    bool claim(const QString& path);
    void release();

    Editor& editor_;
    QString folder_;
    QTimer timer_;
    std::unique_ptr<QLockFile> lock_;
    QString file_;
    int serial_ = 0;
    bool changed_ = true;
    std::size_t writtenBody_ = 0; // of the text in the file
    std::future<WriteOutcome> writing_;
};

} // namespace vorn
