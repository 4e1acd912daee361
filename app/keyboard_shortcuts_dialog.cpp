#include "keyboard_shortcuts_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenuBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vorn {

KeyboardShortcutsDialog::KeyboardShortcutsDialog(const QList<ShortcutSection>& sections, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Keyboard Shortcuts"));
    auto* layout = new QVBoxLayout(this);

    auto* list = new QTreeWidget;
    list->setObjectName(QStringLiteral("shortcuts"));
    list->setColumnCount(2);
    list->setHeaderLabels({QStringLiteral("Key"), QStringLiteral("Action")});
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setFocusPolicy(Qt::NoFocus);
    for (const ShortcutSection& section : sections) {
        auto* heading = new QTreeWidgetItem(list, {section.title});
        heading->setFirstColumnSpanned(true);
        QFont bold = heading->font(0);
        bold.setBold(true);
        heading->setFont(0, bold);
        for (const ShortcutRow& row : section.rows) new QTreeWidgetItem(heading, {row.keys, row.action});
    }
    list->expandAll();
    list->header()->setStretchLastSection(true);
    list->resizeColumnToContents(0);
    list->setItemsExpandable(false);
    layout->addWidget(list);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &KeyboardShortcutsDialog::reject);
    layout->addWidget(buttons);
    resize(640, 640);
}

void showKeyboardShortcuts(QMainWindow& window)
{
    KeyboardShortcutsDialog dialog(keyboardShortcuts(*window.menuBar(), window), &window);
    dialog.exec();
}

} // namespace vorn
