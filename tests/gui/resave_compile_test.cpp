#include "compile_tools.h"
#include "document/face_commands.h"
#include "editor/editor.h"
#include "editor_actions.h"
#include "fresh_app.h"
#include "main_frame.h"
#include "modal_answers.h"
#include "sample_map.h"

#include <QAction>
#include <QFile>
#include <QtTest/QtTest>

#include <cstring>

using namespace vorn;
using namespace vorn::test;

namespace {

// How many texture placements (texinfo records of 40 bytes, the seventh lump) a level holds.
int TexinfoCount(const QByteArray& level)
{
    constexpr int kTexinfoLump = 6;
    constexpr int kTexinfoBytes = 40;
    std::int32_t length = 0;
    const qsizetype at = 4 + kTexinfoLump * 8 + 4;
    if (level.size() < at + 4) return -1;
    std::memcpy(&length, level.constData() + at, sizeof length);
    return length / kTexinfoBytes;
}

} // namespace

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

        const QByteArray level = CompiledLevel(original);
        QVERIFY(!level.isEmpty());
        QVERIFY(level == CompiledLevel(resaved));
    }

    // Two faces of the sample map given placements of their own (a turned floor, a shifted wall)
    // compile to a level with two more texture placements.
    void facesTexturedOneByOneCompileToTheirOwnPlacements()
    {
        if (!RealToolsRun()) QSKIP("needs the compile tools");
        app_.renew();
        const QString map = CopySampleMap(app_.folder().path());
        QVERIFY(!map.isEmpty());
        const int before = TexinfoCount(CompiledLevel(map));
        QVERIFY(before > 0);
        app_->start(map);
        CQMap& doc = app_->editor().map();
        // The first room's floor seen from above, and its south wall seen from inside.
        const auto pick = [&doc](int brush, Vec3 normal) {
            const CQBrush& b = doc.entity(0).brush(brush);
            for (int f = 0; f < b.numfaces(); ++f) {
                if (b.face(f).plane.normal == normal) doc.toggleFace({b.id(), f});
            }
            QCOMPARE(doc.selectedFaces().size(), size_t(1));
        };
        pick(0, {0, 0, 1});
        SetFacesSurface(doc, SurfaceField::Rotation, 45);
        doc.DeselectAll();
        pick(2, {0, 1, 0});
        SetFacesSurface(doc, SurfaceField::OffsetX, 32);
        app_->frame().actions()["file.save"]->trigger();
        QCOMPARE(TexinfoCount(CompiledLevel(map)), before + 2);
    }

private:
    FreshApp app_;
};

QTEST_MAIN(ResaveCompileTest)
#include "resave_compile_test.moc"
