#pragma once

#include <QMainWindow>

class QSplitter;

namespace vorn {

// The editor's main window: the camera view and the control panel in a top row, the XY and Z
// views below, each pair in its own splitter.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kTopRowHeight = 170;

    explicit CMainFrame(QWidget* parent = nullptr);

    QWidget* cameraPane() const { return cameraPane_; }
    QWidget* controlPanel() const { return controlPanel_; }
    QWidget* xyPane() const { return xyPane_; }
    QWidget* zPane() const { return zPane_; }
    QSplitter* outerSplitter() const { return outer_; }

private:
    QSplitter* outer_ = nullptr;
    QWidget* cameraPane_ = nullptr;
    QWidget* controlPanel_ = nullptr;
    QWidget* xyPane_ = nullptr;
    QWidget* zPane_ = nullptr;
};

} // namespace vorn
