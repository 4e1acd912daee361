// The main window's file commands: new, open, save, recent files, exit and printing.

#include "editor/editor.h"
#include "editor_actions.h"
#include "main_frame.h"
#include "problems_dock.h"
#include "qt_host.h"
#include "recent_files.h"
#include "z_view_widget.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace vorn {
namespace {

const QString kMapFilters = QStringLiteral("Quake Map Files (*.map);;All Files (*)");

} // namespace

void CMainFrame::wireFileCommands()
{
    connect((*actions_)[QStringLiteral("file.new")], &QAction::triggered, this, &CMainFrame::newMap);
    connect((*actions_)[QStringLiteral("file.open")], &QAction::triggered, this, &CMainFrame::openChosenMap);
    connect((*actions_)[QStringLiteral("file.save")], &QAction::triggered, this, &CMainFrame::save);
    connect((*actions_)[QStringLiteral("file.saveAs")], &QAction::triggered, this, &CMainFrame::saveAs);
    connect((*actions_)[QStringLiteral("file.exit")], &QAction::triggered, this, &CMainFrame::close);
}

bool CMainFrame::maybeSave()
{
    if (!editor_.map().IsModifiedSinceSave()) return true;
    switch (host_.askSaveChanges(editor_.map().title())) {
    case SaveAnswer::Yes:
        return save();
    case SaveAnswer::No:
        emit changesSettled();
        return true;
    case SaveAnswer::Cancel:
        return false;
    }
    return false;
}

void CMainFrame::newMap()
{
    if (!maybeSave()) return;
    editor_.newMap();
}

void CMainFrame::openChosenMap()
{
    if (!maybeSave()) return;
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Open"), QString(), kMapFilters);
    if (!path.isEmpty()) openMap(path);
}

bool CMainFrame::openMap(const QString& path)
{
    const bool opened = editor_.openMap(path.toStdString()).has_value();
    if (!opened) {
        recentFiles_->remove(path);
    } else if (!editor_.map().pathName().empty()) {
        recentFiles_->add(QString::fromStdString(editor_.map().pathName()));
    }
    refreshRecentFiles();
    return opened;
}

bool CMainFrame::save()
{
    const std::string& path = editor_.map().pathName();
    if (path.empty()) return saveAs();
    const bool saved = editor_.saveMap(path);
    if (saved) {
        problemsDock_->mapSaved();
        emit changesSettled();
    }
    refreshTitle();
    return saved;
}

bool CMainFrame::saveAs()
{
    QFileDialog dialog(this, QStringLiteral("Save As"), QString(), kMapFilters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("map"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    const QString path = dialog.selectedFiles().first();
    const bool saved = editor_.saveMap(path.toStdString());
    if (saved) {
        problemsDock_->mapSaved();
        recentFiles_->add(path);
        emit changesSettled();
    }
    refreshRecentFiles();
    refreshTitle();
    return saved;
}

void CMainFrame::refreshRecentFiles()
{
    recentMenu_->clear();
    int number = 1;
    for (const QString& path : recentFiles_->paths()) {
        QAction* action = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(number++).arg(QFileInfo(path).fileName()));
        action->setStatusTip(path);
        connect(action, &QAction::triggered, this, [this, path] {
            if (maybeSave()) openMap(path);
        });
    }
    recentMenu_->setEnabled(!recentFiles_->paths().isEmpty());
    settingsMayHaveChanged();
}

QWidget* CMainFrame::printablePane() const
{
    const QWidget* focus = QApplication::focusWidget();
    for (QWidget* pane : {static_cast<QWidget*>(zPane_), cameraPane_}) {
        if (focus && (pane == focus || pane->isAncestorOf(focus))) return pane;
    }
    return nullptr;
}

void CMainFrame::wirePrinting()
{
    QAction* print = (*actions_)[QStringLiteral("file.print")];
    QAction* preview = (*actions_)[QStringLiteral("file.printPreview")];
    // Only the Z and camera panes print: the commands follow the keyboard focus.
    const auto follow = [this, print, preview] {
        const bool printable = printablePane() != nullptr;
        print->setEnabled(printable);
        preview->setEnabled(printable);
    };
    connect(qApp, &QApplication::focusChanged, this, follow);
    follow();

    const auto paintPane = [](QWidget* pane, QPrinter* printer) {
        QPainter painter(printer);
        const QRect page = painter.viewport();
        const double scale = std::min(static_cast<double>(page.width()) / pane->width(),
                                      static_cast<double>(page.height()) / pane->height());
        painter.scale(scale, scale);
        pane->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    };
    connect(print, &QAction::triggered, this, [this, paintPane] {
        QWidget* pane = printablePane();
        if (!pane) return;
        QPrintDialog dialog(printer_.get(), this);
        if (dialog.exec() == QDialog::Accepted) paintPane(pane, printer_.get());
    });
    connect(preview, &QAction::triggered, this, [this, paintPane] {
        QWidget* pane = printablePane();
        if (!pane) return;
        QPrintPreviewDialog dialog(printer_.get(), this);
        connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
                [pane, paintPane](QPrinter* printer) { paintPane(pane, printer); });
        dialog.exec();
    });
    connect((*actions_)[QStringLiteral("file.printSetup")], &QAction::triggered, this, [this] {
        QPageSetupDialog dialog(printer_.get(), this);
        dialog.exec();
    });
}

} // namespace vorn
