#pragma once

#include "platform/host.h"

#include <QObject>

class QWidget;

namespace vorn {

// The window system's side of the core's requests: message boxes, file choosers, the busy
// cursor, progress, and the redraw requests, which it passes on as signals.
class QtHost final : public QObject, public Host {
    Q_OBJECT
public:
    explicit QtHost(QObject* parent = nullptr);

    // Dialogs and message boxes are centred on this window.
    void setWindow(QWidget* window) { window_ = window; }

    void messageBox(std::string_view text) override;
    SaveAnswer askSaveChanges(std::string_view title) override;
    void debugOutput(std::string_view text) override;
    bool shown() const override { return debugToStderr_; }
    void beep(int hz, int ms) override;
    void updateViews(int flags) override;
    void controlPanelChanged() override;
    void setBusy(bool busy) override;
    std::optional<std::string> chooseFileToOpen(const FileChooser& chooser) override;
    std::optional<std::string> chooseFileToSave(const FileChooser& chooser) override;
    std::unique_ptr<Progress> startProgress(std::string_view title) override;
    void statusMessage(std::string_view text) override;

signals:
    void viewsNeedUpdate(int flags);
    void panelNeedsUpdate();
    void statusMessageShown(const QString& text);

private:
    QWidget* window_ = nullptr;
    bool debugToStderr_ = false;
};

} // namespace vorn
