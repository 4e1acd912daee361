#include "compile_tools.h"
#include "editor_actions.h"
#include "fresh_app.h"
#include "main_frame.h"
#include "modal_answers.h"

#include <QAction>
#include <QFile>
#include <QtTest/QtTest>

using namespace vorn;
using namespace vorn::test;

// Real maps opened in the editor and saved at once compile to the very level the originals do.
class ResaveCompileTest : public QObject {
    Q_OBJECT
private slots:
    void aMapOpenedAndSavedCompilesToTheSameLevel_data()
    {
        QTest::addColumn<QString>("map");
        QTest::newRow("rounded brushes with sliver faces") << QStringLiteral("valve220/lqdm7.map");
        QTest::newRow("fractional shifts and rotations") << QStringLiteral("lq_old_start.map");
    }

    void aMapOpenedAndSavedCompilesToTheSameLevel()
    {
        QFETCH(QString, map);
        const QString source = QStringLiteral(VORN_CORPUS_DIR "/maps/") + map;
        if (!QFile::exists(source) || !RealToolsRun()) QSKIP("needs the shared corpus and compile tools");
        app_.renew();
        const QString original = app_.folder().filePath("original.map");
        const QString resaved = app_.folder().filePath("resaved.map");
        QVERIFY(QFile::copy(source, original) && QFile::copy(source, resaved));
        QFile::setPermissions(resaved, QFile::ReadOwner | QFile::WriteOwner);
        // What the open reports (texture archives that are not here) is answered with OK.
        answerWhile(modalDialog, [](QWidget* box) { static_cast<QDialog*>(box)->accept(); }, [&] { app_->start(resaved); }, true);
        app_->frame().actions()["file.save"]->trigger();

        QByteArray levels[2];
        int i = 0;
        for (const QString& path : {original, resaved}) {
            QProcess qbsp;
            qbsp.setWorkingDirectory(app_.folder().path());
            qbsp.start(RealTool("qbsp"), {path});
            QVERIFY(qbsp.waitForFinished(120000));
            QCOMPARE(qbsp.exitCode(), 0);
            QFile bsp(QString(path).replace(".map", ".bsp"));
            QVERIFY(bsp.open(QIODevice::ReadOnly));
            levels[i++] = bsp.readAll();
        }
        QVERIFY(!levels[0].isEmpty());
        QVERIFY(levels[0] == levels[1]);
    }

private:
    FreshApp app_;
};

QTEST_MAIN(ResaveCompileTest)
#include "resave_compile_test.moc"
