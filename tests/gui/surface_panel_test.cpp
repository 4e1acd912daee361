#include "editor/editor.h"
#include "editor_actions.h"
#include "fresh_app.h"
#include "main_frame.h"
#include "sample_map.h"
#include "xy_view_widget.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QtTest/QtTest>

using namespace vorn;
using namespace vorn::test;

// The Surface dock and the face keys on the real main window, with faces picked as Ctrl+Shift+click
// picks them in the camera.
class SurfacePanelTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        app_.renew();
        path_ = CopySampleMap(app_.folder().path());
        QVERIFY(!path_.isEmpty());
        app_->start(path_);
        QVERIFY(QTest::qWaitForWindowExposed(&app_->frame()));
    }

    void typedValuesReachEveryFaceAndTheSavedMapAndMixedFieldsAreBlank()
    {
        const CQBrush& wall = world().brush(0);
        map().toggleFace({wall.id(), 0});
        map().toggleFace({wall.id(), 2});
        QDoubleSpinBox* xOffset = field(SurfaceField::OffsetX);
        QVERIFY(xOffset->isEnabled());

        xOffset->setFocus();
        xOffset->selectAll();
        QTest::keyClicks(xOffset, "32");
        QTest::keyClick(xOffset, Qt::Key_Return);
        QCOMPARE(wall.face(0).shift[0], 32.0);
        QCOMPARE(wall.face(2).shift[0], 32.0);
        QCOMPARE(map().undoName(), std::string("Surface"));

        // One face of the two turned: the rotation field goes blank, the offset stays shown.
        map().toggleFace({wall.id(), 2});
        QLineEdit* rotation = field(SurfaceField::Rotation)->findChild<QLineEdit*>();
        field(SurfaceField::Rotation)->setFocus();
        QTest::keyClick(field(SurfaceField::Rotation), Qt::Key_Up);
        QCOMPARE(wall.face(0).rotation, 15.0);
        map().toggleFace({wall.id(), 2});
        QCOMPARE(rotation->text(), QString());
        QCOMPARE(xOffset->findChild<QLineEdit*>()->text(), QStringLiteral("32.0000"));

        QLineEdit* texture = app_->frame().findChild<QLineEdit*>("surfaceTexture");
        texture->setFocus();
        texture->selectAll();
        QTest::keyClicks(texture, "NEWTEX");
        QTest::keyClick(texture, Qt::Key_Return);
        QCOMPARE(wall.face(2).texture.str(), std::string("NEWTEX"));

        app_->frame().actions()["file.save"]->trigger();
        VornApplication reopened(app_.settingsFile());
        reopened.start(path_);
        const CQBrush& saved = reopened.editor().map().entity(0).brush(0);
        QCOMPARE(saved.face(0).shift[0], 32.0);
        QCOMPARE(saved.face(0).rotation, 15.0);
        QCOMPARE(saved.face(2).texture.str(), std::string("NEWTEX"));
    }

    // Shift+arrows shift the selected faces' textures by the grid step and Shift+Page Up turns
    // them; without faces selected the keys are the views' own again.
    void nudgeKeysActOnlyWhileFacesAreSelected()
    {
        const CQBrush& wall = world().brush(0);
        const double shift = wall.face(1).shift[0];
        map().toggleFace({wall.id(), 1});
        QWidget* view = app_->frame().xyPane()->viewport();
        QTest::mouseMove(view);
        QTest::keyClick(view, Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(wall.face(1).shift[0], shift + app_->editor().workspace().gridSize());
        QTest::keyClick(view, Qt::Key_PageUp, Qt::ShiftModifier);
        QCOMPARE(wall.face(1).rotation, 15.0);

        map().DeselectAll();
        QVERIFY(!app_->frame().actions()["texture.shiftLeft"]->isEnabled());
        QTest::keyClick(view, Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(wall.face(1).shift[0], shift + app_->editor().workspace().gridSize());
    }

private:
    CQMap& map() { return app_->editor().map(); }
    const CQEntity& world() { return map().entity(0); }
    QDoubleSpinBox* field(SurfaceField which)
    {
        return app_->frame().findChild<QDoubleSpinBox*>(QStringLiteral("surfaceField%1").arg(static_cast<int>(which)));
    }

    FreshApp app_;
    QString path_;
};

QTEST_MAIN(SurfacePanelTest)
#include "surface_panel_test.moc"
