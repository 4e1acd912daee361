#pragma once

#include <QDockWidget>

class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace vorn {

// The dock at the bottom where the build tools' output and the banners around each run appear
// as they come; the Stop button ends the tool that runs.
class BuildOutputPane final : public QDockWidget {
    Q_OBJECT
public:
    explicit BuildOutputPane(QWidget* parent = nullptr);

    // Text as the console filter gives it: a "\r" starts the last line again. It shows within
    // a few milliseconds; text that comes faster is shown together, so a flood of output does not
    // hold up the window.
    void append(const QString& text);
    void setRunning(bool running);
    // Shows everything appended so far and the end of it, wherever the user had scrolled.
    void scrollToEnd();
    // Everything appended so far.
    QString text();

signals:
    void stopClicked();

private:
    void showPending();

    QPlainTextEdit* log_;
    QString pending_;
    QTimer* showTimer_;
    QPushButton* stop_;
};

} // namespace vorn
