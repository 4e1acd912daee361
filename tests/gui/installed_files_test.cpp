#include "installed_files.h"
#include "sample_map.h"

#include <QTemporaryDir>
#include <QtTest/QtTest>

using namespace vorn;
using namespace vorn::test;

// The program's own files beside the editor built here, and the user's copy of the sample map.
class InstalledFilesTest : public QObject {
    Q_OBJECT
private slots:
    // The build lays out the installed tree: the editor it builds finds its files as an installed one does.
    void theEditorBuiltHereFindsItsFilesBesideIt()
    {
        const QDir shared(sharedDataFolder(QStringLiteral(VORN_PROGRAM_DIR)));
        for (const char* name : {"entities.qel", "maps/sample.map", "maps/vorn_sample.wad"}) {
            const QString path = shared.filePath(QString::fromLatin1(name));
            QVERIFY2(!FileBytes(path).isEmpty(), qPrintable(path));
            QCOMPARE(FileBytes(path), FileBytes(QStringLiteral(VORN_RESOURCES_DIR "/") + QString::fromLatin1(name)));
        }
        QCOMPARE(sharedDataFolder(QStringLiteral("/usr/bin")), "/usr/share/vorn");
    }

    void theSampleIsCopiedOnceAndTheUsersChangesStayAndFailuresAreReported()
    {
        QTemporaryDir home;
        const QString shared = sharedDataFolder(QStringLiteral(VORN_PROGRAM_DIR));
        const QString user = home.filePath("data/Vorn");
        const SampleMapCopy first = copySampleMap(shared, user);
        QCOMPARE(first.error, "");
        QCOMPARE(first.path, user + "/sample.map");
        QCOMPARE(FileBytes(first.path), FileBytes(shared + "/maps/sample.map"));
        // The map names its archive by a path relative to its own folder.
        QCOMPARE(FileBytes(user + "/vorn_sample.wad"), FileBytes(shared + "/maps/vorn_sample.wad"));
        QVERIFY(QFileInfo(first.path).isWritable());

        QVERIFY(WriteFile(first.path, "{\n\"classname\" \"worldspawn\"\n}\n") && QFile::remove(user + "/vorn_sample.wad"));
        const SampleMapCopy again = copySampleMap(shared, user);
        QCOMPARE(again.path, first.path);
        QCOMPARE(FileBytes(again.path), QByteArray("{\n\"classname\" \"worldspawn\"\n}\n"));
        QVERIFY(QFile::exists(user + "/vorn_sample.wad")); // a missing archive comes back

        // A sample that cannot be copied is reported.
        const SampleMapCopy noShared = copySampleMap(home.filePath("nowhere"), home.filePath("user"));
        QCOMPARE(noShared.path, "");
        QVERIFY2(noShared.error.startsWith("Could not copy " + home.filePath("nowhere/maps/sample.map") + " to "),
                 qPrintable(noShared.error));

        QVERIFY(WriteFile(home.filePath("file"), ""));
        const SampleMapCopy noFolder = copySampleMap(sharedDataFolder(QStringLiteral(VORN_PROGRAM_DIR)), home.filePath("file/Vorn"));
        QCOMPARE(noFolder.path, "");
        QCOMPARE(noFolder.error, "Could not make the folder " + home.filePath("file/Vorn"));
    }
};

QTEST_MAIN(InstalledFilesTest)
#include "installed_files_test.moc"
