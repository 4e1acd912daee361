#include "editor/editor.h"
#include "editor_actions.h"
#include "main_frame.h"
#include "modal_answers.h"
#include "platform/host.h"
#include "vorn_application.h"
#include "xy_view_widget.h"
#include "z_view_widget.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest/QtTest>

#include <algorithm>
#include <memory>

namespace vorn {
// Readable values in failed comparisons.
char* toString(const Vec3& v)
{
    return QTest::toString(QStringLiteral("(%1 %2 %3)").arg(v.x).arg(v.y).arg(v.z));
}
char* toString(const MapPoint& p)
{
    return QTest::toString(QStringLiteral("(%1 %2)").arg(p.x).arg(p.y));
}
} // namespace vorn

using namespace vorn;
using vorn::test::whenModalShows;

namespace {

// Calls `answer` with the popup menu once it shows.
void whenPopupShows(std::function<void(QMenu*)> answer, int attempts = 300)
{
    QTimer::singleShot(10, [answer = std::move(answer), attempts]() mutable {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            answer(menu);
        } else if (attempts > 0) {
            whenPopupShows(std::move(answer), attempts - 1);
        }
    });
}

float thinnestSide(const CQBrush& b)
{
    const Vec3 size = b.maxs() - b.mins();
    return std::min({size.x, size.y, size.z});
}

} // namespace

// Drives the XY and Z view widgets of the real main window with the mouse and the keyboard.
class ViewsTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        settingsDir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(settingsDir_->isValid());
        app_ = std::make_unique<VornApplication>(settingsDir_->filePath(QStringLiteral("Vorn.conf")));
        app_->start(QString());
        QVERIFY(QTest::qWaitForWindowExposed(&app_->frame()));
        // Whole grid steps around the middle of the view, so that snapping keeps the points.
        const MapPoint centre = xy().centre();
        origin_ = {static_cast<float>(centre.x / 64 * 64), static_cast<float>(centre.y / 64 * 64)};
    }

    void cleanup()
    {
        app_.reset();
        settingsDir_.reset();
    }

    void theViewOpensOnTheMapOrigin()
    {
        const PixelPoint origin = xy().mapToWindow(0, 0);
        const QPoint client(origin.x - xy().scrollX(), origin.y - xy().scrollY());
        QVERIFY(viewport()->rect().adjusted(8, 8, -8, -8).contains(client));
    }

    void dragOutABrushInAnEmptyMapAndSaveIt()
    {
        QCOMPARE(map().EntityCount(), 0);
        // The first click into an empty map makes its world.
        QTest::mouseClick(viewport(), Qt::LeftButton, {}, xyPoint(0, 0));
        QCOMPARE(map().EntityCount(), 1);

        QTest::mousePress(viewport(), Qt::LeftButton, {}, xyPoint(0, 0));
        QTest::mouseMove(viewport(), xyPoint(64, -32));
        QTest::mouseMove(viewport(), xyPoint(128, -64));
        // The box being dragged out is drawn in red.
        const QImage picture = viewport()->grab().toImage();
        const QPoint corner = xyPoint(0, 0);
        const QPoint opposite = xyPoint(128, -64);
        QCOMPARE(QColor(picture.pixel((corner.x() + opposite.x()) / 2, corner.y())), QColor(Qt::red));
        QCOMPARE(QColor(picture.pixel(opposite.x(), (corner.y() + opposite.y()) / 2)), QColor(Qt::red));
        QVERIFY(QColor(picture.pixel(corner.x() + 8, corner.y() + 8)) != QColor(Qt::red));
        QTest::mouseRelease(viewport(), Qt::LeftButton, {}, xyPoint(128, -64));

        QCOMPARE(map().entity(0).brushCount(), 1);
        const QString path = settingsDir_->filePath(QStringLiteral("dragged.map"));
        whenModalShows([path](QWidget* modal) {
            if (auto* chooser = qobject_cast<QFileDialog*>(modal)) {
                chooser->selectFile(path);
                QMetaObject::invokeMethod(chooser, "accept");
            }
        });
        app_->frame().actions()[QStringLiteral("file.save")]->trigger();
        QVERIFY(QFile::exists(path));

        VornApplication reopened(settingsDir_->filePath(QStringLiteral("Vorn.conf")));
        reopened.start(path);
        QCOMPARE(reopened.editor().map().EntityCount(), 1);
        QCOMPARE(reopened.editor().map().entity(0).brushCount(), 1);
        const CQBrush& saved = reopened.editor().map().entity(0).brushes()[0];
        QCOMPARE(saved.mins(), at(0, -64, 0));
        QCOMPARE(saved.maxs(), at(128, 0, 16));
    }

    void dragTheSelectionBy32Units()
    {
        addBox(at(0, 0, 0), at(64, 64, 64));
        QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ShiftModifier, xyPoint(32, 32));
        QVERIFY(brush(0).IsSelected());

        QTest::mousePress(viewport(), Qt::LeftButton, {}, xyPoint(32, 32));
        QTest::mouseMove(viewport(), xyPoint(48, 32));
        QTest::mouseMove(viewport(), xyPoint(64, 32));
        QTest::mouseRelease(viewport(), Qt::LeftButton, {}, xyPoint(64, 32));
        QCOMPARE(brush(0).mins(), at(32, 0, 0));
        QCOMPARE(brush(0).maxs(), at(96, 64, 64));
        QVERIFY(app_->frame().isWindowModified());
    }

    void dragOneFaceOfABrush()
    {
        addBox(at(0, 0, 0), at(64, 64, 64));
        QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ShiftModifier, xyPoint(32, 32));

        QTest::mousePress(viewport(), Qt::LeftButton, {}, xyPoint(96, 32));
        QTest::mouseMove(viewport(), xyPoint(128, 32));
        QTest::mouseRelease(viewport(), Qt::LeftButton, {}, xyPoint(128, 32));
        QCOMPARE(brush(0).mins(), at(0, 0, 0));
        QCOMPARE(brush(0).maxs(), at(96, 64, 64));
    }

    void dragTheTopOfABrushInTheZView()
    {
        addBox(at(0, 0, 0), at(64, 64, 64));
        QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ShiftModifier, xyPoint(32, 32));

        ZViewWidget* pane = app_->frame().zPane();
        const CZView& z = app_->editor().zView();
        const int nearRightEdge = pane->width() - 10;
        QVERIFY(z.rowOf(112) > 0);
        QTest::mousePress(pane, Qt::LeftButton, {}, {nearRightEdge, z.rowOf(80)});
        QTest::mouseMove(pane, {nearRightEdge, z.rowOf(112)});
        QTest::mouseRelease(pane, Qt::LeftButton, {}, {nearRightEdge, z.rowOf(112)});
        QCOMPARE(brush(0).mins(), at(0, 0, 0));
        QCOMPARE(brush(0).maxs(), at(64, 64, 96));
    }

    void clipABrushWithTwoClicksAndEnter()
    {
        addBox(at(-32, -32, 0), at(32, 32, 64));
        QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ShiftModifier, xyPoint(0, 0));
        app_->frame().actions()[QStringLiteral("edit.clipper")]->trigger();
        QVERIFY(app_->editor().xyView().clipperMode());

        QTest::mouseClick(viewport(), Qt::LeftButton, {}, xyPoint(0, 0));
        QTest::mouseClick(viewport(), Qt::LeftButton, {}, xyPoint(64, 0));
        QCOMPARE(app_->editor().clipPoints().count(), 2);
        QTest::keyClick(app_->frame().xyPane(), Qt::Key_Return);
        QCOMPARE(brush(0).mins(), at(-32, -32, 0));
        QCOMPARE(brush(0).maxs(), at(32, 0, 64));
    }

    void subtractWithTheMinusKey()
    {
        addBox(at(0, 0, 0), at(128, 128, 64));
        addBox(at(32, -32, -16), at(96, 160, 80));
        QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ShiftModifier, xyPoint(64, 150));
        QVERIFY(brush(1).IsSelected());
        QTest::keyClick(app_->frame().xyPane(), Qt::Key_Minus);

        QCOMPARE(map().entity(0).brushCount(), 3);
        QVERIFY(hasBox(at(0, 0, 0), at(32, 128, 64)));
        QVERIFY(hasBox(at(96, 0, 0), at(128, 128, 64)));
        QVERIFY(brush(2).IsSelected());
    }

    void makeARoomFromTheContextMenu()
    {
        addBox(at(0, 0, 0), at(128, 128, 64));
        QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ShiftModifier, xyPoint(64, 64));

        bool menuShown = false;
        bool dialogShown = false;
        whenPopupShows([&menuShown](QMenu* menu) {
            for (QAction* action : menu->actions()) {
                if (action->text() != QStringLiteral("Make into &Room")) continue;
                menuShown = true;
                menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
            menu->close();
        });
        whenModalShows([&dialogShown](QWidget* modal) {
            auto* thickness = modal->findChild<QLineEdit*>(QStringLiteral("Wall Thickness"));
            if (!thickness) return;
            dialogShown = modal->windowTitle() == QStringLiteral("Make a Room");
            thickness->setText(QStringLiteral("8"));
            qobject_cast<QDialog*>(modal)->accept();
        });
        const QPoint where = xyPoint(64, 64);
        QContextMenuEvent request(QContextMenuEvent::Mouse, where, viewport()->mapToGlobal(where));
        QApplication::sendEvent(viewport(), &request);

        QVERIFY(menuShown);
        QVERIFY(dialogShown);
        QCOMPARE(map().entity(0).brushCount(), 6);
        for (const CQBrush& wall : map().entity(0).brushes()) QCOMPARE(thinnestSide(wall), 8.0f);
    }

private:
    Editor& editor() { return app_->editor(); }
    CQMap& map() { return app_->editor().map(); }
    CXYView& xy() { return app_->editor().xyView(); }
    QWidget* viewport() { return app_->frame().xyPane()->viewport(); }
    CQBrush& brush(int i) { return map().entity(0).brushes()[static_cast<size_t>(i)]; }

    // A map point given relative to the middle of the view.
    Vec3 at(float x, float y, float z) const { return {origin_.x + x, origin_.y + y, z}; }

    // The client pixel of the XY viewport that shows a map point (relative to the middle).
    QPoint xyPoint(float x, float y)
    {
        const PixelPoint w = xy().mapToWindow(origin_.x + x, origin_.y + y);
        return {w.x - xy().scrollX(), w.y - xy().scrollY()};
    }

    void addBox(Vec3 mins, Vec3 maxs)
    {
        CQBrush b;
        b.MakeBox(mins, maxs, "WALL", editor().host());
        map().AddBrush(b);
        map().DeselectAll();
        editor().updateViews(ViewFlags::All);
    }

    bool hasBox(Vec3 mins, Vec3 maxs)
    {
        const auto brushes = map().entity(0).brushes();
        return std::any_of(brushes.begin(), brushes.end(),
                           [&](const CQBrush& b) { return b.mins() == mins && b.maxs() == maxs; });
    }

    std::unique_ptr<QTemporaryDir> settingsDir_;
    std::unique_ptr<VornApplication> app_;
    Vec3 origin_;
};

QTEST_MAIN(ViewsTest)
#include "views_test.moc"
