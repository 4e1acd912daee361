#include "camera_view.h"
#include "editor/editor.h"
#include "editor_actions.h"
#include "main_frame.h"
#include "map_edits.h"
#include "sample_map.h"
#include "fresh_app.h"
#include "xy_view_widget.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest/QtTest>

#include <memory>

using namespace vorn;
using namespace vorn::test;

// Draws the sample map in the real OpenGL camera view; needs a display with OpenGL (xvfb-run).
class CameraViewTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        if (!CMy3DCameraView::platformCanDraw()) QSKIP("The camera view needs a display with OpenGL (run under xvfb-run).");
        app_.renew("classic");
        const QString map = CopySampleMap(app_.folder().path());
        QVERIFY(!map.isEmpty());
        app_->start(map);
        // Outside the south wall, looking at it.
        CameraModel& camera = app_->editor().workspace().camera();
        camera.placeAt({0, -50, 64});
        camera.lookAtPoint({0, 0, 64});
        QVERIFY(QTest::qWaitForWindowExposed(&app_->frame()));
        view_ = qobject_cast<CMy3DCameraView*>(app_->frame().cameraPane());
        QVERIFY(view_);
        view_->resize(400, 300);
        QTRY_VERIFY(view_->isValid());
        QVERIFY(!view_->failed());
    }

    void everyModeDrawsTheSampleMapWithoutErrors()
    {
        const QPoint middle(view_->width() / 2, view_->height() / 2);
        for (const char* action : {"camera.wireframe", "camera.unlitFlat", "camera.flatShaded", "camera.gouraud",
                                   "camera.textured"}) {
            app_->frame().actions()[QString::fromLatin1(action)]->trigger();
            const QImage frame = view_->grabFramebuffer();
            QCOMPARE(view_->lastDrawError(), 0u);
            QVERIFY2(!view_->failed(), action);
            int lit = 0;
            for (int y = 0; y < frame.height(); y += 4) {
                for (int x = 0; x < frame.width(); x += 4) lit += qGray(frame.pixel(x, y)) > 10 ? 1 : 0;
            }
            QVERIFY2(lit > 20, action);
            if (QByteArray(action) != "camera.wireframe") QVERIFY2(qGray(frame.pixel(middle)) > 10, action);
        }
        app_->frame().actions()["camera.off"]->trigger();
        const QImage off = view_->grabFramebuffer();
        QCOMPARE(QColor(off.pixel(view_->width() / 2, view_->height() / 2)), QColor(Qt::black));
        QCOMPARE(view_->lastDrawError(), 0u);
    }

    void shiftClickSelectsTheBrushUnderTheCursorInRed()
    {
        app_->frame().actions()["camera.flatShaded"]->trigger();
        const QPoint middle(view_->width() / 2, view_->height() / 2);
        QTest::mouseClick(view_, Qt::LeftButton, Qt::ShiftModifier, middle);

        const CQMap& map = app_->editor().map();
        QCOMPARE(map.countSelectedBrushes(), 1);
        const CQBrush& picked = map.brush(map.firstSelectedBrush());
        QCOMPARE(picked.mins().y, -16.0f); // the south wall
        QCOMPARE(picked.maxs().y, 0.0f);
        const QColor colour(view_->grabFramebuffer().pixel(middle));
        QVERIFY2(colour.red() > 100 && colour.green() == 0 && colour.blue() == 0, qPrintable(colour.name()));

        // Past the wall's west end there is nothing.
        QTest::mouseClick(view_, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, middle.y()));
        QCOMPARE(map.countSelectedBrushes(), 1);

        // The picked wall dragged in the XY view is one step that Ctrl+Z takes back.
        const std::string before = EntitiesText(map);
        CXYView& xy = app_->editor().xyView();
        const Vec3 wall = picked.Centre();
        xy.centreOn(static_cast<int>(wall.x), static_cast<int>(wall.y));
        const auto xyPixel = [&](Vec3 p) {
            const PixelPoint w = xy.mapToWindow(p.x, p.y);
            return QPoint(w.x - xy.scrollX(), w.y - xy.scrollY());
        };
        QWidget* viewport = app_->frame().xyPane()->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, xyPixel(wall));
        QTest::mouseMove(viewport, xyPixel(wall + Vec3{32, 0, 0}));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, xyPixel(wall + Vec3{32, 0, 0}));
        QVERIFY(EntitiesText(map) != before);
        QVERIFY(app_->frame().actions()["edit.undo"]->isEnabled());
        app_->frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&app_->frame()));
        QTest::keyClick(app_->frame().xyPane(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(EntitiesText(map), before);
    }

    // Ctrl+Shift+click picks the face under the cursor, red, its brush left unselected; a second
    // Ctrl+Shift+click lets it go.
    void ctrlShiftClickPicksTheFaceUnderTheCursor()
    {
        app_->frame().actions()["camera.flatShaded"]->trigger();
        const QPoint middle(view_->width() / 2, view_->height() / 2);
        QTest::mouseClick(view_, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier, middle);
        const CQMap& map = app_->editor().map();
        QCOMPARE(map.countSelectedBrushes(), 0);
        const std::vector<FaceRef> faces = map.selectedFaces();
        QCOMPARE(faces.size(), size_t(1));
        const CQFace& face = map.brush(map.locate(faces[0].brush)).face(faces[0].face);
        QCOMPARE(face.plane.normal, (Vec3{0, -1, 0})); // the south wall's face toward the camera
        const QColor colour(view_->grabFramebuffer().pixel(middle));
        QVERIFY2(colour.red() > 100 && colour.green() == 0 && colour.blue() == 0, qPrintable(colour.name()));

        QTest::mouseClick(view_, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier, middle);
        QVERIFY(!map.hasSelectedFaces());
    }

private:
    FreshApp app_;
    CMy3DCameraView* view_ = nullptr;
};

QTEST_MAIN(CameraViewTest)
#include "camera_view_test.moc"
