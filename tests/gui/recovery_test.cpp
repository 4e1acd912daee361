#include "autosave.h"
#include "editor/editor.h"
#include "editor_actions.h"
#include "main_frame.h"
#include "modal_answers.h"
#include "platform/host.h"
#include "recovery_dialog.h"
#include "sample_map.h"
#include "vorn_application.h"
#include "map_edits.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QLockFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest/QtTest>

using namespace vorn;
using namespace vorn::test;

namespace {

void addBrush(Editor& editor)
{
    AddBox(editor.map(), {0, 0, 0}, {64, 64, 64});
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QPushButton* dialogButton(QDialog& dialog, const char* name) { return dialog.findChild<QPushButton*>(name); }

} // namespace

class RecoveryTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        home_ = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", home_->path().toUtf8());
        QCOMPARE(CopySampleMap(home_->path()), sampleMap());
    }

    void aModifiedMapIsAutosavedBesideNeverOverTheUsersFile()
    {
        VornApplication app(settingsFile());
        app.start(sampleMap());
        QCOMPARE(app.autosave().folder(), home_->path() + "/Vorn/recovery");
        const QByteArray original = contents(sampleMap());

        app.autosave().saveNow();
        QVERIFY(app.autosave().currentFile().isEmpty()); // nothing to keep while unmodified

        addBrush(app.editor());
        app.autosave().saveNow();
        app.autosave().finishWriting();
        const QString recovery = app.autosave().currentFile();
        QVERIFY(recovery.startsWith(app.autosave().folder() + "/sample-"));
        const QByteArray saved = contents(recovery);
        QVERIFY(saved.startsWith("// Filename: " + sampleMap().toUtf8() + "\n"));
        QVERIFY(saved.contains(QByteArray::number(app.editor().map().CountBrushes()) + " Brushes"));
        QCOMPARE(contents(sampleMap()), original);
        // Held by this running editor, so it is not offered to another.
        QVERIFY(FindRecoveries(app.autosave().folder()).empty());

        // Unchanged since the last autosave: not written again; changed: written again.
        write(recovery, "stale");
        app.autosave().saveNow();
        app.autosave().finishWriting();
        QCOMPARE(contents(recovery), "stale");
        addBrush(app.editor());
        app.autosave().saveNow();
        app.autosave().finishWriting();
        QVERIFY(contents(recovery).startsWith("// Filename: "));
        QCOMPARE(app.autosave().currentFile(), recovery);

        app.frame().actions()["file.save"]->trigger();
        QVERIFY(!QFile::exists(recovery));
        QVERIFY(!QFile::exists(recovery + ".lock"));
        QVERIFY(app.autosave().currentFile().isEmpty());
    }

    void sayingNoAtQuitRemovesTheRecoveryFile()
    {
        VornApplication app(settingsFile());
        app.start(QString());
        addBrush(app.editor());
        app.autosave().saveNow();
        app.autosave().finishWriting();
        const QString recovery = app.autosave().currentFile();
        QVERIFY(recovery.endsWith(".map") && QFileInfo(recovery).fileName().startsWith("Untitled-"));
        QVERIFY(QFile::exists(recovery));

        bool closed = false;
        messageAfter([&] { closed = app.frame().close(); }, QMessageBox::Cancel);
        QVERIFY(!closed && QFile::exists(recovery)); // Cancel keeps working and keeps the file
        messageAfter([&] { closed = app.frame().close(); }, QMessageBox::No);
        QVERIFY(closed);
        QVERIFY(!QFile::exists(recovery));
    }

    void aLeftRecoveryIsOfferedAndOpensModifiedWithoutAFileName()
    {
        const QString folder = recoveryFolder();
        QVERIFY(QDir().mkpath(folder));
        const QString left = folder + "/sample-1-1.map";
        // Without its archive: a recovery knows no folder to find a relative one in.
        write(left, "// Filename: /home/ann/maps/sample.map\n" + contents(sampleMap()).replace("\"wad\" \"vorn_sample.wad\"\n", ""));
        // Another running editor's file is not offered.
        const QString live = folder + "/other-2-1.map";
        QVERIFY(QFile::copy(sampleMap(), live));
        QLockFile liveLock(live + ".lock");
        QVERIFY(liveLock.tryLock(0));

        VornApplication app(settingsFile());
        QStringList offered;
        whileModal([&] { app.start(QString()); return true; }, [&](QDialog& dialog) {
            auto* list = dialog.findChild<QListWidget*>("recoveries");
            for (int i = 0; i < list->count(); ++i) offered << list->item(i)->text();
            dialogButton(dialog, "open")->click();
        });
        QCOMPARE(offered.size(), 1);
        QVERIFY2(offered.first().startsWith("sample.map \u2014 "), qPrintable(offered.first()));

        const CQMap& map = app.editor().map();
        QVERIFY(map.IsModifiedSinceSave());
        QVERIFY(map.pathName().empty());
        QCOMPARE(map.title(), "Untitled");
        QVERIFY(map.CountBrushes() > 0);
        QCOMPARE(app.frame().windowTitle(), "Untitled[*] - Vorn");
        QVERIFY(app.frame().isWindowModified());
        // It is this editor's recovery file now, kept until the map is saved or dropped.
        QCOMPARE(app.autosave().currentFile(), left);
        QVERIFY(QFile::exists(left));
        addBrush(app.editor());
        app.autosave().saveNow();
        app.autosave().finishWriting();
        QVERIFY(contents(left).startsWith("// Filename: \n"));
        messageAfter([&] { app.frame().close(); }, QMessageBox::No);
        QVERIFY(!QFile::exists(left));
        QVERIFY(QFile::exists(live));
    }

    void discardRemovesAnOfferAndLaterKeepsTheRest()
    {
        const QString folder = recoveryFolder();
        QVERIFY(QDir().mkpath(folder));
        const QString first = folder + "/a-1-1.map";
        const QString second = folder + "/b-1-2.map";
        write(first, "// Filename: /maps/a.map\n\n");
        write(second, "// Filename: /maps/b.map\n\n");
        QFile older(first);
        QVERIFY(older.open(QIODevice::ReadWrite));
        QVERIFY(older.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
        older.close();

        VornApplication app(settingsFile());
        QStringList offered;
        whileModal([&] { app.start(QString()); return true; }, [&](QDialog& dialog) {
            auto* list = dialog.findChild<QListWidget*>("recoveries");
            for (int i = 0; i < list->count(); ++i) offered << list->item(i)->text().section(' ', 0, 0);
            list->setCurrentRow(0);
            dialogButton(dialog, "discard")->click();
            QVERIFY(dialog.isVisible());
            QCOMPARE(list->count(), 1);
            dialogButton(dialog, "later")->click();
        });
        QCOMPARE(offered, QStringList({"b.map", "a.map"})); // newest first
        QVERIFY(!QFile::exists(second));
        QVERIFY(QFile::exists(first));
        QVERIFY(!app.editor().map().IsModifiedSinceSave());
        QVERIFY(app.autosave().currentFile().isEmpty());
    }

private:
    QString settingsFile() const { return home_->filePath("Vorn.conf"); }
    QString sampleMap() const { return home_->filePath("sample.map"); }
    QString recoveryFolder() const { return home_->path() + "/Vorn/recovery"; }

    std::unique_ptr<QTemporaryDir> home_;
};

QTEST_MAIN(RecoveryTest)
#include "recovery_test.moc"
