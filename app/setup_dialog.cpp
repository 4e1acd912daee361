#include "setup_dialog.h"

#include "editor/editor.h"
#include "platform/host.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vorn {
namespace {

// Shows the wait cursor while it lives, also when loading throws.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

std::string text(const QLineEdit* field)
{
    return field->text().toStdString();
}

QLineEdit* addAuthorRow(QFormLayout* form, const QString& label, const QString& name, const std::string& value)
{
    auto* edit = new QLineEdit(QString::fromStdString(value));
    edit->setObjectName(name);
    form->addRow(label, edit);
    return edit;
}

} // namespace

SetupDialog::SetupDialog(QWidget* parent, const Preferences& prefs) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Vorn Setup"));
    auto* layout = new QVBoxLayout(this);

    auto* files = new QGroupBox(QStringLiteral("Files"));
    auto* grid = new QGridLayout(files);
    grid->setColumnMinimumWidth(1, fontMetrics().averageCharWidth() * 48);
    light_ = addFileRow(grid, QStringLiteral("Light"), QStringLiteral("light"), prefs.light, FileKind::Program);
    qbsp_ = addFileRow(grid, QStringLiteral("QBsp"), QStringLiteral("qbsp"), prefs.qbsp, FileKind::Program);
    vis_ = addFileRow(grid, QStringLiteral("Vis"), QStringLiteral("vis"), prefs.vis, FileKind::Program);
    quake_ = addFileRow(grid, QStringLiteral("Quake"), QStringLiteral("quake"), prefs.quake, FileKind::Program);
    entityList_ = addFileRow(grid, QStringLiteral("Entity"), QStringLiteral("entityList"), prefs.entityList,
                             FileKind::EntityList);
    gameFolder_ = addFileRow(grid, QStringLiteral("Game Folder"), QStringLiteral("gameFolder"), prefs.gameFolder,
                             FileKind::Folder);
    layout->addWidget(files);

    auto* author = new QGroupBox(QStringLiteral("Author Info (optional)"));
    auto* form = new QFormLayout(author);
    authorName_ = addAuthorRow(form, QStringLiteral("Name"), QStringLiteral("authorName"), prefs.authorName);
    authorEmail_ = addAuthorRow(form, QStringLiteral("EMail"), QStringLiteral("authorEmail"), prefs.authorEmail);
    layout->addWidget(author);

    autosaveMinutes_ = new QSpinBox;
    autosaveMinutes_->setObjectName(QStringLiteral("autosaveMinutes"));
    autosaveMinutes_->setRange(0, 24 * 60);
    autosaveMinutes_->setSpecialValueText(QStringLiteral("Off"));
    autosaveMinutes_->setSuffix(QStringLiteral(" min"));
    autosaveMinutes_->setValue(prefs.autosaveMinutes);
    auto* saving = new QFormLayout;
    saving->addRow(QStringLiteral("Autosave every"), autosaveMinutes_);
    layout->addLayout(saving);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &SetupDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SetupDialog::reject);
    layout->addWidget(buttons);
}

QLineEdit* SetupDialog::addFileRow(QGridLayout* grid, const QString& label, const QString& name,
                                   const std::string& value, FileKind kind)
{
    const int row = grid->rowCount();
    auto* edit = new QLineEdit(QString::fromStdString(value));
    edit->setObjectName(name);
    auto* caption = new QLabel(label);
    caption->setBuddy(edit);
    auto* findButton = new QPushButton(QStringLiteral("Find..."));
    findButton->setObjectName(QStringLiteral("find") + name);
    findButton->setAutoDefault(false);
    connect(findButton, &QPushButton::clicked, this, [this, edit, kind] { find(edit, kind); });
    grid->addWidget(caption, row, 0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(findButton, row, 2);
    return edit;
}

void SetupDialog::find(QLineEdit* field, FileKind kind)
{
    QFileDialog chooser(this, QStringLiteral("Open"));
    // An entity list may be several files, read in the order chosen.
    chooser.setFileMode(kind == FileKind::Folder       ? QFileDialog::Directory
                        : kind == FileKind::EntityList ? QFileDialog::ExistingFiles
                                                       : QFileDialog::ExistingFile);
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    if (kind == FileKind::Folder) {
        chooser.setOption(QFileDialog::ShowDirsOnly);
    } else if (kind == FileKind::Program) {
        // Programs here have no extension; Windows programs (e.g. run through Wine) have one.
        chooser.setNameFilters({QStringLiteral("Programs (*)"), QStringLiteral("Application Files (*.exe)")});
    } else {
        chooser.setNameFilters({QStringLiteral("Entity Definitions (*.qel *.fgd *.def)"),
                                QStringLiteral("Quake Entity List files (*.qel)"), QStringLiteral("FGD files (*.fgd)"),
                                QStringLiteral("DEF files (*.def)")});
    }
    const QFileInfo current(field->text());
    if (!field->text().isEmpty() && current.exists()) chooser.selectFile(current.absoluteFilePath());

    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return;
    field->setText(QDir::toNativeSeparators(chooser.selectedFiles().join(QLatin1Char(';'))));
}

void SetupDialog::apply(Editor& editor) const
{
    Preferences& prefs = editor.prefs();
    prefs.quake = text(quake_);
    prefs.qbsp = text(qbsp_);
    prefs.vis = text(vis_);
    prefs.light = text(light_);
    prefs.authorName = text(authorName_);
    prefs.authorEmail = text(authorEmail_);
    prefs.autosaveMinutes = autosaveMinutes_->value();
    if (text(gameFolder_) != prefs.gameFolder) {
        prefs.gameFolder = text(gameFolder_);
        const WaitCursor busy;
        editor.gameFolderChanged();
    }
    // A blank field means "keep the current list", not "no list".
    if (entityList_->text().trimmed().isEmpty()) return;
    prefs.entityList = text(entityList_);
    std::optional<std::string> problem;
    {
        const WaitCursor busy;
        problem = editor.loadEntityClasses();
    }
    if (problem) editor.host().messageBox(*problem);
}

bool runSetupDialog(QWidget* parent, Editor& editor)
{
    SetupDialog dialog(parent, editor.prefs());
    if (dialog.exec() != QDialog::Accepted) return false;
    dialog.apply(editor);
    return true;
}

} // namespace vorn
