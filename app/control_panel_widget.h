#pragma once

#include <QWidget>

class QAction;
class QBoxLayout;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;

namespace vorn {

class Editor;
class TexturePanelWidget;

// The control panel: the XY view's scale, grid and snap, the current entity's pairs, the map
// position under the mouse and the current texture.
class ControlPanelWidget final : public QWidget {
    Q_OBJECT
public:
    ControlPanelWidget(Editor& editor, QWidget* parent = nullptr);

    // The texture half's toolbar button runs this action.
    void addToolAction(QAction* action);
    // Shows the panel's state from the core again.
    void refresh();
    // Its parts side by side, for a row across the window, or one above the other, for a column.
    void setStacked(bool stacked);

protected:
    // The editing keys act as in the map views whichever control has the focus.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The typed or chosen value of a list, applied; a value the view cannot use is refused and the
    // one in use shown again.
    void applyScale(const QString& text);
    void applyGrid(const QString& text);

    Editor& editor_;
    QBoxLayout* parts_;
    QComboBox* scale_;
    QComboBox* grid_;
    QCheckBox* snap_;
    QListWidget* entity_;
    QLabel* xPos_;
    QLabel* yPos_;
    TexturePanelWidget* textures_;
};

} // namespace vorn
