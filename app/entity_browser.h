#pragma once

#include <QDockWidget>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;

namespace vorn {

class Editor;

// The "Entities" dock: the catalogue's classes by name, point classes marked by a filled square
// in their colour and brush classes by an outline, narrowed by typing into the filter, with the
// help of the highlighted one below. A point class is dragged into a 2D view to place it; a
// double click on a brush class makes the selected world brushes into an entity of it.
class EntityBrowser final : public QDockWidget {
    Q_OBJECT
public:
    explicit EntityBrowser(Editor& editor, QWidget* parent = nullptr);

    // Lists the classes again when the catalogue changed since they were listed.
    void refresh();

private:
    void applyFilter();
    void showHelp();
    void makeSelectionInto(QListWidgetItem* item);

    Editor& editor_;
    int listed_ = -1; // the catalogue's generation listed
    QLineEdit* filter_;
    QListWidget* list_;
    QPlainTextEdit* help_;
};

} // namespace vorn
