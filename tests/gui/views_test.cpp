#include "editor/editor.h"
#include "editor_actions.h"
#include "main_frame.h"
#include "map_edits.h"
#include "modal_answers.h"
#include "platform/host.h"
#include "fresh_app.h"
#include "xy_view_widget.h"
#include "z_view_widget.h"

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest/QtTest>

#include <memory>

using namespace vorn;
using namespace vorn::test;

// Drives the XY and Z view widgets of the real main window with the mouse and the keyboard.
class ViewsTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        app_.renew("classic");
        app_->start(QString());
        QVERIFY(QTest::qWaitForWindowExposed(&app_->frame()));
        // Whole grid steps around the middle of the view, so that snapping keeps the points.
        const MapPoint centre = xy().centre();
        origin_ = {static_cast<float>(centre.x / 64 * 64), static_cast<float>(centre.y / 64 * 64)};
    }

    void theViewOpensOnTheMapOriginAndKeepsItsCentreOverResizes()
    {
        const PixelPoint origin = xy().mapToWindow(0, 0);
        QVERIFY(viewport()->rect().adjusted(8, 8, -8, -8).contains(origin.x - xy().scrollX(), origin.y - xy().scrollY()));
        const MapPoint centre = xy().centre(); // stays in the middle over later resizes too
        app_->frame().xyPane()->resize(app_->frame().xyPane()->size() - QSize(200, 120));
        QCOMPARE(QPoint(xy().centre().x, xy().centre().y), QPoint(centre.x, centre.y));
    }

    void dragOutABrushInAnEmptyMapAndSaveIt()
    {
        // The first click into an empty map makes its world, after Map Properties.
        whileModal([&] { return QTest::mouseClick(viewport(), Qt::LeftButton, {}, xyPoint(0, 0)), 0; },
                   [](QDialog& d) { QCOMPARE(submit(d), ""); });
        QCOMPARE(map().EntityCount(), 1);

        QTest::mousePress(viewport(), Qt::LeftButton, {}, xyPoint(0, 0));
        QTest::mouseMove(viewport(), xyPoint(64, -32));
        QTest::mouseMove(viewport(), xyPoint(128, -64));
        // The box being dragged out is drawn in red.
        const QImage picture = viewport()->grab().toImage();
        const QPoint corner = xyPoint(0, 0), opposite = xyPoint(128, -64);
        QCOMPARE(QColor(picture.pixel((corner.x() + opposite.x()) / 2, corner.y())), QColor(Qt::red));
        QCOMPARE(QColor(picture.pixel(opposite.x(), (corner.y() + opposite.y()) / 2)), QColor(Qt::red));
        QVERIFY(QColor(picture.pixel(corner.x() + 8, corner.y() + 8)) != QColor(Qt::red));
        QTest::mouseRelease(viewport(), Qt::LeftButton, {}, opposite);
        QCOMPARE(boxes(map()), QStringList("(0 -64 0)-(128 0 16)"));

        const QString path = app_.folder().filePath("dragged.map");
        whileModal([&] { app_->frame().actions()["file.save"]->trigger(); return 0; }, [&](QDialog& d) {
            auto* chooser = qobject_cast<QFileDialog*>(&d);
            QVERIFY(chooser);
            chooser->selectFile(path);
            d.accept();
        });
        VornApplication reopened(app_.settingsFile());
        reopened.start(path);
        QCOMPARE(reopened.editor().map().EntityCount(), 1);
        QCOMPARE(boxes(reopened.editor().map()), QStringList("(0 -64 0)-(128 0 16)"));
    }

    // Every mouse path that changes the map makes one step, and Ctrl+Z gives back the map's very
    // text: a picked brush moved, a face dragged, the top dragged in the Z view, a brush clipped at
    // two clicked points, a brush dragged out.
    void everyDragIsOneStepThatCtrlZTakesBack()
    {
        addBox(at(0, 0, 0), at(64, 64, 64));
        QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ShiftModifier, xyPoint(32, 32));
        undoneByCtrlZ([&] {
            drag(viewport(), xyPoint(32, 32), xyPoint(48, 32), xyPoint(64, 32)); // on the brush: moves it
            QCOMPARE(boxes(map()), QStringList("(32 0 0)-(96 64 64)"));
            QVERIFY(app_->frame().isWindowModified());
        });
        undoneByCtrlZ([&] {
            drag(viewport(), xyPoint(96, 32), xyPoint(112, 32), xyPoint(128, 32)); // beside it: moves that face
            QCOMPARE(boxes(map()), QStringList("(0 0 0)-(96 64 64)"));
        });
        undoneByCtrlZ([&] {
            const CZView& z = app_->editor().zView();
            const int x = app_->frame().zPane()->width() - 10; // near the right edge: drags the top
            drag(app_->frame().zPane(), {x, z.rowOf(80)}, {x, z.rowOf(96)}, {x, z.rowOf(112)});
            QCOMPARE(boxes(map()), QStringList("(0 0 0)-(64 64 96)"));
        });
        undoneByCtrlZ([&] {
            app_->frame().actions()["edit.clipper"]->trigger();
            QTest::mouseClick(viewport(), Qt::LeftButton, {}, xyPoint(0, 32));
            QTest::mouseClick(viewport(), Qt::LeftButton, {}, xyPoint(64, 32));
            QTest::keyClick(app_->frame().xyPane(), Qt::Key_Return);
            QCOMPARE(boxes(map()), QStringList("(0 0 0)-(64 32 64)"));
            app_->frame().actions()["edit.clipper"]->trigger();
        });
        QTest::keyClick(app_->frame().xyPane(), Qt::Key_Escape);
        undoneByCtrlZ([&] {
            drag(viewport(), xyPoint(128, 128), xyPoint(160, 160), xyPoint(192, 192));
            QCOMPARE(boxes(map()).size(), 2);
        });
    }

    // Ctrl+Tab shows the view's next side, which its corner names; [ and ] halve and double the grid.
    void ctrlTabTurnsTheViewAndBracketsChangeTheGrid()
    {
        XYViewWidget* pane = app_->frame().xyPane();
        for (const ViewOrientation next : {ViewOrientation::Front, ViewOrientation::Side, ViewOrientation::Top}) {
            QTest::keyClick(pane, Qt::Key_Tab, Qt::ControlModifier);
            QCOMPARE(xy().orientation(), next);
        }
        QTest::keyClick(pane, Qt::Key_BracketRight);
        QCOMPARE(app_->editor().workspace().gridSize(), 32);
        for (int i = 0; i < 7; ++i) QTest::keyClick(pane, Qt::Key_BracketLeft);
        QCOMPARE(app_->editor().workspace().gridSize(), 1);
    }

    void subtractWithTheMinusKey()
    {
        addBox(at(0, 0, 0), at(128, 128, 64));
        addBox(at(32, -32, -16), at(96, 160, 80));
        QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ShiftModifier, xyPoint(64, 150));
        QTest::keyClick(app_->frame().xyPane(), Qt::Key_Minus);
        QCOMPARE(boxes(map()), QStringList({"(0 0 0)-(32 128 64)", "(96 0 0)-(128 128 64)", "(32 -32 -16)-(96 160 80)"}));
        QVERIFY(map().isSelected(map().entity(0).brush(2)));
    }

    void makeARoomFromTheContextMenu()
    {
        addBox(at(0, 0, 0), at(128, 128, 64));
        QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ShiftModifier, xyPoint(64, 64));
        whileModal([&] { return rightClick(viewport(), xyPoint(64, 64), choose("Make into &Room")); }, [](QDialog& d) {
            QCOMPARE(d.windowTitle(), "Make a Room");
            QCOMPARE(submit(d, {{"Wall Thickness", "8"}}), "");
        });
        // Six walls 8 thick inside the box: top, bottom, west, east, south, north.
        QCOMPARE(boxes(map()), QStringList({"(0 0 56)-(128 128 64)", "(0 0 0)-(128 128 8)", "(0 0 0)-(8 128 64)", "(120 0 0)-(128 128 64)",
                                            "(0 0 0)-(128 8 64)", "(0 120 0)-(128 128 64)"}));
    }

    // The context menus open on a right click's release, so the view never loses a release to
    // them: after one, a left drag in the Z view still drags the selection, and a right drag
    // scrolls without opening a menu.
    void theZViewKeepsItsButtonsAcrossItsContextMenu()
    {
        addBox(at(0, 0, 0), at(64, 64, 64));
        app_->editor().workspace().setZColumn({static_cast<int>(origin_.x) + 32, static_cast<int>(origin_.y) + 32});
        QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ShiftModifier, xyPoint(32, 32));
        ZViewWidget* pane = app_->frame().zPane();
        CZView& z = app_->editor().zView();
        const int x = pane->width() / 2;

        QVERIFY(rightClick(pane, {x, z.rowOf(128)}, choose("Set Max Z")));
        QCOMPARE(map().GetMaxZ(), 128.0f);

        drag(pane, {x, z.rowOf(32)}, {x, z.rowOf(48)}, {x, z.rowOf(64)});
        QCOMPARE(boxes(map()), QStringList("(0 0 32)-(64 64 96)"));

        const float bottom = z.bottomZ();
        bool menuShown = false;
        answerWhile(QApplication::activePopupWidget, [&](QWidget* menu) { menuShown = true; menu->close(); }, [&] {
            QTest::mousePress(pane, Qt::RightButton, {}, {x, 100});
            QTest::mouseMove(pane, {x, 140});
            QTest::mouseRelease(pane, Qt::RightButton, {}, {x, 140});
            QTest::qWait(50);
        });
        QVERIFY(!menuShown);
        QCOMPARE(z.bottomZ(), bottom + 40);
        QVERIFY(!z.leftButtonHeld() && !z.rightButtonHeld());
    }

private:
    CQMap& map() { return app_->editor().map(); }
    CXYView& xy() { return app_->editor().xyView(); }
    QWidget* viewport() { return app_->frame().xyPane()->viewport(); }

    // A map point given relative to the middle of the view.
    Vec3 at(float x, float y, float z) const { return {origin_.x + x, origin_.y + y, z}; }

    // The client pixel of the XY viewport that shows a map point (relative to the middle).
    QPoint xyPoint(float x, float y)
    {
        const PixelPoint w = xy().mapToWindow(origin_.x + x, origin_.y + y);
        return {w.x - xy().scrollX(), w.y - xy().scrollY()};
    }

    // The bounds of the world's brushes, relative to the middle of the view.
    QStringList boxes(const CQMap& of) const
    {
        QStringList all;
        for (const CQBrush& b : of.entity(0).brushes()) {
            const Vec3 lo = b.mins() - at(0, 0, 0), hi = b.maxs() - at(0, 0, 0);
            all << QString("(%1 %2 %3)-(%4 %5 %6)").arg(lo.x).arg(lo.y).arg(lo.z).arg(hi.x).arg(hi.y).arg(hi.z);
        }
        return all;
    }

    void addBox(Vec3 mins, Vec3 maxs)
    {
        AddBox(map(), mins, maxs);
        map().DeselectAll();
    }

    // A right click, as X11 delivers it: when a menu opens on the press, the release goes to the
    // menu. `answer` acts on the menu that opens; false when none did.
    static bool rightClick(QWidget* widget, QPoint at, const std::function<void(QWidget*)>& answer)
    {
        bool pressing = false;
        bool openedOnPress = false;
        const auto onMenu = [&](QWidget* menu) {
            if (pressing) {
                openedOnPress = true;
                QTest::mouseRelease(menu, Qt::RightButton, {}, menu->mapFromGlobal(widget->mapToGlobal(at)));
            }
            answer(menu);
        };
        return answerWhile(QApplication::activePopupWidget, onMenu, [&] {
            pressing = true;
            QTest::mousePress(widget, Qt::RightButton, {}, at);
            pressing = false;
            if (!openedOnPress) QTest::mouseRelease(widget, Qt::RightButton, {}, at);
        });
    }

    // Runs a mouse edit, then Ctrl+Z in the XY view: the Undo action was ready for it, and the
    // map's text is back as it was.
    void undoneByCtrlZ(const std::function<void()>& edit)
    {
        const std::string before = EntitiesText(map());
        edit();
        QVERIFY(EntitiesText(map()) != before);
        QVERIFY(app_->frame().actions()["edit.undo"]->isEnabled());
        QTest::keyClick(app_->frame().xyPane(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(EntitiesText(map()), before);
    }

    // Picks a context menu's item by its text.
    static std::function<void(QWidget*)> choose(const QString& text)
    {
        return [text](QWidget* menu) {
            for (QAction* action : menu->actions()) if (action->text() == text) static_cast<QMenu*>(menu)->setActiveAction(action);
            QTest::keyClick(menu, Qt::Key_Return);
        };
    }

    static void drag(QWidget* widget, QPoint from, QPoint via, QPoint to)
    {
        QTest::mousePress(widget, Qt::LeftButton, {}, from);
        for (const QPoint& point : {via, to}) QTest::mouseMove(widget, point);
        QTest::mouseRelease(widget, Qt::LeftButton, {}, to);
    }

    FreshApp app_;
    Vec3 origin_;
};

QTEST_MAIN(ViewsTest)
#include "views_test.moc"
