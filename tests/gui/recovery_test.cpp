#include "autosave.h"
#include "editor/editor.h"
#include "editor_actions.h"
#include "main_frame.h"
#include "modal_answers.h"
#include "platform/host.h"
#include "recovery_dialog.h"
#include "sample_map.h"
#include "fresh_app.h"
#include "map_edits.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QLockFile>
#include <QPushButton>
#include <QtTest/QtTest>

using namespace vorn;
using namespace vorn::test;

namespace {

QPushButton* dialogButton(QDialog& dialog, const char* name) { return dialog.findChild<QPushButton*>(name); }

} // namespace

class RecoveryTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        app_.renew();
        QCOMPARE(CopySampleMap(app_.folder().path()), sampleMap());
    }

    void aModifiedMapIsAutosavedBesideNeverOverTheUsersFile()
    {
        app_->start(sampleMap());
        QCOMPARE(app_->autosave().folder(), app_.folder().path() + "/Vorn/recovery");
        const QByteArray original = FileBytes(sampleMap());

        app_->autosave().saveNow();
        QVERIFY(app_->autosave().currentFile().isEmpty()); // nothing to keep while unmodified

        addBrush();
        autosave();
        const QString recovery = app_->autosave().currentFile();
        QVERIFY(recovery.startsWith(app_->autosave().folder() + "/sample-"));
        const QByteArray saved = FileBytes(recovery);
        QVERIFY(saved.startsWith("// Filename: " + sampleMap().toUtf8() + "\n"));
        QVERIFY(saved.contains(QByteArray::number(app_->editor().map().CountBrushes()) + " Brushes"));
        QCOMPARE(FileBytes(sampleMap()), original);
        // Held by this running editor, so it is not offered to another.
        QVERIFY(FindRecoveries(app_->autosave().folder()).empty());

        // Unchanged since the last autosave: not written again; changed: written again.
        QVERIFY(WriteFile(recovery, "stale"));
        autosave();
        QCOMPARE(FileBytes(recovery), "stale");
        addBrush();
        autosave();
        QVERIFY(FileBytes(recovery).startsWith("// Filename: "));
        QCOMPARE(app_->autosave().currentFile(), recovery);

        app_->frame().actions()["file.save"]->trigger();
        QVERIFY(!QFile::exists(recovery) && !QFile::exists(recovery + ".lock"));
        QVERIFY(app_->autosave().currentFile().isEmpty());

        // Cancel at quitting keeps working and keeps the file; No removes it.
        addBrush();
        autosave();
        const QString again = app_->autosave().currentFile();
        bool closed = false;
        messageAfter([&] { closed = app_->frame().close(); }, QMessageBox::Cancel);
        QVERIFY(!closed && QFile::exists(again));
        messageAfter([&] { closed = app_->frame().close(); }, QMessageBox::No);
        QVERIFY(closed && !QFile::exists(again));
    }

    void aLeftRecoveryIsOfferedAndOpensModifiedWithoutAFileName()
    {
        const QString folder = recoveryFolder();
        QVERIFY(QDir().mkpath(folder));
        const QString left = folder + "/sample-1-1.map";
        // Without its archive: a recovery knows no folder to find a relative one in.
        QVERIFY(WriteFile(left, "// Filename: /home/ann/maps/sample.map\n" + FileBytes(sampleMap()).replace("\"wad\" \"vorn_sample.wad\"\n", "")));
        // Another running editor's file is not offered.
        const QString live = folder + "/other-2-1.map";
        QVERIFY(QFile::copy(sampleMap(), live));
        QLockFile liveLock(live + ".lock");
        QVERIFY(liveLock.tryLock(0));

        QStringList offered;
        whileModal([&] { app_->start(QString()); return true; }, [&](QDialog& dialog) {
            auto* list = dialog.findChild<QListWidget*>("recoveries");
            for (int i = 0; i < list->count(); ++i) offered << list->item(i)->text();
            dialogButton(dialog, "open")->click();
        });
        QCOMPARE(offered.size(), 1);
        QVERIFY2(offered.first().startsWith("sample.map \u2014 "), qPrintable(offered.first()));

        const CQMap& map = app_->editor().map();
        QVERIFY(map.IsModifiedSinceSave());
        QVERIFY(map.pathName().empty());
        QCOMPARE(map.title(), "Untitled");
        QVERIFY(map.CountBrushes() > 0);
        QCOMPARE(app_->frame().windowTitle(), "Untitled[*] - Vorn");
        QVERIFY(app_->frame().isWindowModified());
        // It is this editor's recovery file now, kept until the map is saved or dropped.
        QCOMPARE(app_->autosave().currentFile(), left);
        QVERIFY(QFile::exists(left));
        addBrush();
        autosave();
        QVERIFY(FileBytes(left).startsWith("// Filename: \n"));
        messageAfter([&] { app_->frame().close(); }, QMessageBox::No);
        QVERIFY(!QFile::exists(left));
        QVERIFY(QFile::exists(live));
    }

    void discardRemovesAnOfferAndLaterKeepsTheRest()
    {
        const QString folder = recoveryFolder();
        QVERIFY(QDir().mkpath(folder));
        const QString first = folder + "/a-1-1.map";
        const QString second = folder + "/b-1-2.map";
        QVERIFY(WriteFile(first, "// Filename: /maps/a.map\n\n") && WriteFile(second, "// Filename: /maps/b.map\n\n"));
        QFile older(first);
        QVERIFY(older.open(QIODevice::ReadWrite));
        QVERIFY(older.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
        older.close();

        QStringList offered;
        whileModal([&] { app_->start(QString()); return true; }, [&](QDialog& dialog) {
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
        QVERIFY(!app_->editor().map().IsModifiedSinceSave());
        QVERIFY(app_->autosave().currentFile().isEmpty());
    }

private:
    QString sampleMap() const { return app_.folder().filePath("sample.map"); }
    QString recoveryFolder() const { return app_.folder().path() + "/Vorn/recovery"; }
    void addBrush() { AddBox(app_->editor().map(), {0, 0, 0}, {64, 64, 64}); }
    void autosave() { app_->autosave().saveNow(), app_->autosave().finishWriting(); }

    FreshApp app_;
};

QTEST_MAIN(RecoveryTest)
#include "recovery_test.moc"
