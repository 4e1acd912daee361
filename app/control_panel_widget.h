#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;

namespace vorn {

class Editor;

// The control panel: the XY view's scale, grid and snap, the current entity's pairs and the map
// position under the mouse.
class ControlPanelWidget final : public QWidget {
    Q_OBJECT
public:
    ControlPanelWidget(Editor& editor, QWidget* parent = nullptr);

    // Shows the panel's state from the core again.
    void refresh();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void chooseScale(int index);
    void chooseGrid(int index);

    Editor& editor_;
    QComboBox* scale_;
    QComboBox* grid_;
    QCheckBox* snap_;
    QListWidget* entity_;
    QLabel* xPos_;
    QLabel* yPos_;
};

} // namespace vorn
