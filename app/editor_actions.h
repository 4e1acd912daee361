#pragma once

#include <QObject>
#include <QString>

#include <map>

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;

namespace vorn {

// One action per command of the menus and the toolbar, named by a short key ("file.new",
// "edit.cut", "brush.room", ...), with its text, shortcuts, status prompt and icon.
class EditorActions final : public QObject {
    Q_OBJECT
public:
    explicit EditorActions(QObject* parent = nullptr);

    QAction* operator[](const QString& key) const;
    const std::map<QString, QAction*>& all() const { return actions_; }

    // The main menu and the toolbar, in their fixed order.
    void fillMenuBar(QMenuBar& bar, QMenu*& recentFilesMenu) const;
    void fillToolBar(QToolBar& bar) const;

private:
    QAction* add(const QString& key, const QString& text, const QString& prompt, const QString& icon = {});

    std::map<QString, QAction*> actions_;
};

} // namespace vorn
