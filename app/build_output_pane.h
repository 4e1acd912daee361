#pragma once

#include <QDockWidget>

class QPlainTextEdit;
class QPushButton;

namespace vorn {

// The dock at the bottom where the build tools' output and the banners around each run appear
// as they come; the Stop button ends the tool that runs.
class BuildOutputPane final : public QDockWidget {
    Q_OBJECT
public:
    explicit BuildOutputPane(QWidget* parent = nullptr);

    // Text as the console filter gives it: a "\r" starts the last line again.
    void append(const QString& text);
    void setRunning(bool running);
    QString text() const;

signals:
    void stopClicked();

private:
    QPlainTextEdit* log_;
    QPushButton* stop_;
};

} // namespace vorn
