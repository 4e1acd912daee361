#pragma once

#include <QDialog>

#include <string>

class QGridLayout;
class QLineEdit;
class QSpinBox;

namespace vorn {

class Editor;
struct Preferences;

// "Vorn Setup": the build tools' paths, the entity list file, the author's name and e-mail and
// the autosave interval ("autosaveMinutes", a spin box).
// Its line edits are named after the preferences they edit ("light", "qbsp", "vis", "quake",
// "entityList", "gameFolder", "authorName", "authorEmail"), its Find buttons "find" plus the
// field's name.
class SetupDialog : public QDialog {
    Q_OBJECT
public:
    SetupDialog(QWidget* parent, const Preferences& prefs);

    // Stores the fields into the editor's preferences; a non-empty entity list field also
    // reloads the class catalogue from it, a changed game folder the texture archives.
    void apply(Editor& editor) const;

private:
    enum class FileKind { Program, EntityList, Folder };
    QLineEdit* addFileRow(QGridLayout* grid, const QString& label, const QString& name,
                          const std::string& value, FileKind kind);
    void find(QLineEdit* field, FileKind kind);

    QLineEdit* light_ = nullptr;
    QLineEdit* qbsp_ = nullptr;
    QLineEdit* vis_ = nullptr;
    QLineEdit* quake_ = nullptr;
    QLineEdit* entityList_ = nullptr;
    QLineEdit* gameFolder_ = nullptr;
    QLineEdit* authorName_ = nullptr;
    QLineEdit* authorEmail_ = nullptr;
    QSpinBox* autosaveMinutes_ = nullptr;
};

// Opens the dialog modally and applies it on OK; true when OK was pressed.
bool runSetupDialog(QWidget* parent, Editor& editor);

} // namespace vorn
