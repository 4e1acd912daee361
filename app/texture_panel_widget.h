#pragma once

#include <QWidget>

#include <string>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolBar;

namespace vorn {

class Editor;

// The control panel's texture half: a one-button toolbar, the list of the map's textures with
// "*NONE*" first, the current texture's preview and "Tex Size", "Apply Texture" and
// "Align Texture".
class TexturePanelWidget final : public QWidget {
    Q_OBJECT
public:
    TexturePanelWidget(Editor& editor, QWidget* parent = nullptr);

    // The toolbar's button runs this action.
    void addToolAction(QAction* action);
    // The field texture names are typed into: it keeps the keys that type text.
    QLineEdit* nameField() const;

    // Shows the panel's texture state from the core again.
    void refresh();

private:
    // The one place the panel changes the document's current texture.
    void chooseTexture(const QString& name);
    void showList();
    void showPreview();

    Editor& editor_;
    QToolBar* toolBar_;
    QComboBox* list_;
    QLabel* preview_;
    QLabel* size_;
    std::vector<std::string> shownList_;
    int shownPreviewRevision_ = -1;
};

} // namespace vorn
