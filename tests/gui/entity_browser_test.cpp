#include "editor/editor.h"
#include "editor_actions.h"
#include "entity_drop_target.h"
#include "fresh_app.h"
#include "main_frame.h"
#include "map_edits.h"
#include "modal_answers.h"
#include "sample_map.h"
#include "xy_view_widget.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDrag>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QtTest/QtTest>

using namespace vorn;
using namespace vorn::test;

namespace {

// A definition file of the test's own: a door with choices and flags, a monster, a wall.
const char* const kDefinitions = R"(
@BaseClass = Appear [ spawnflags(flags) = [ 256 : "Not on Easy" : 0 ] ]
@SolidClass = worldspawn : "World" []
@SolidClass base(Appear) = func_door : "Basic door" [
    speed(integer) : "Speed" : 100
    sounds(choices) : "Sound" : 0 = [ 0 : "Silent" 1 : "Stone" 2 : "Machine" ]
    lip(integer) : "Lip" : 8 : "Units left showing."
    spawnflags(flags) = [ 1 : "Starts Open" : 0 32 : "Toggle" : 0 : "Stays until triggered again." ]
]
@SolidClass = func_wall : "Wall" []
@PointClass base(Appear) size(-16 -16 -24, 16 16 40) color(220 0 0) = monster_army : "Grunt" []
@PointClass = light : "Light" []
)";

QStringList visibleClasses(QListWidget* list)
{
    QStringList names;
    for (int row = 0; row < list->count(); ++row) {
        if (!list->item(row)->isHidden()) names << list->item(row)->text();
    }
    return names;
}

} // namespace

// The entity browser dock and the properties of classes a definition file describes, driven on
// the real main window.
class EntityBrowserTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        app_.renew();
        QFile file(app_.folder().filePath("game.fgd"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(kDefinitions);
        file.close();
        editor().prefs().entityList = file.fileName().toStdString();
        QVERIFY(!editor().loadEntityClasses());
        QCOMPARE(CopySampleMap(app_.folder().path()), app_.folder().filePath("sample.map"));
        app_->start(app_.folder().filePath("sample.map"));
        QVERIFY(QTest::qWaitForWindowExposed(&app_->frame()));
    }

    void aDoorsPropertiesShowTheChoicesAndFlagsItsClassDefines()
    {
        CQMap& map = editor().map();
        map.SetCurrentEntityByIndex(1);
        whileModal([&] { return app_->frame().actions()["entity.properties"]->trigger(), 0; }, [](QDialog& d) {
            auto* sounds = d.findChild<QComboBox*>("sounds");
            QCOMPARE(sounds->currentText(), "Stone");
            QCOMPARE(sounds->itemText(2), "Machine");
            QCOMPARE(sounds->lineEdit()->placeholderText(), "Silent");
            QCOMPARE(field(d, "speed")->text(), "100");
            QCOMPARE(field(d, "lip")->text(), "");
            QCOMPARE(field(d, "lip")->placeholderText(), "8");
            QCOMPARE(field(d, "lip")->toolTip(), "Lip\nUnits left showing.");
            QCOMPARE(d.findChild<QCheckBox*>("Spawnflag 1")->text(), "Starts Open");
            QCOMPARE(d.findChild<QCheckBox*>("Spawnflag 32")->toolTip(), "Stays until triggered again.");
            QVERIFY2(!d.findChild<QCheckBox*>("Spawnflag 2"), "only the flags the class names");
            QVERIFY2(!d.findChild<QLineEdit*>("Wait"), "the common fields are the class's keys");
            auto* others = d.findChild<QTableWidget*>("Other keys");
            QCOMPARE(others->rowCount(), 1);
            QCOMPARE(others->item(0, 0)->text() + "=" + others->item(0, 1)->text(), "wait=4");

            sounds->setCurrentIndex(2);
            d.findChild<QCheckBox*>("Spawnflag 32")->setChecked(true);
            QCOMPARE(submit(d, {{"lip", "4"}}), "");
        });
        QCOMPARE(map.currentIndex(), map.EntityCount() - 1);
        const CQEntity& door = map.entity(map.currentIndex());
        QCOMPARE(QString::fromStdString(std::string(door.GetValue("\"sounds\"")) + " " + std::string(door.GetValue("\"lip\"")) + " " +
                                        std::string(door.GetValue("\"spawnflags\"")) + " " + std::string(door.GetValue("\"wait\""))),
                 "\"2\" \"4\" \"32\" \"4\"");
    }

    void typingFiltersTheClassesAndTheHighlightedOnesHelpShows()
    {
        auto* filter = app_->frame().findChild<QLineEdit*>("Filter");
        auto* list = classes();
        QCOMPARE(visibleClasses(list), QStringList({"func_door", "func_wall", "light", "monster_army", "worldspawn"}));
        QTest::keyClicks(filter, "FUNC");
        QCOMPARE(visibleClasses(list), QStringList({"func_door", "func_wall"}));
        list->setCurrentRow(0);
        QCOMPARE(app_->frame().findChild<QPlainTextEdit*>("Class help")->toPlainText(),
                 "Brush class: double-click it to make the selected brushes one.\n\nBasic door");
    }

    void aPointClassDraggedIntoTheXYViewIsPlacedThereAsOneStep()
    {
        CQMap& map = editor().map();
        const int before = map.EntityCount();
        auto* list = classes();
        QListWidgetItem* army = list->findItems("monster_army", Qt::MatchExactly).front();
        QVERIFY(army->flags() & Qt::ItemIsDragEnabled);
        QVERIFY(!(list->findItems("func_wall", Qt::MatchExactly).front()->flags() & Qt::ItemIsDragEnabled));

        // The offscreen platform ends every drag at once, dropping nothing: what the list gives a
        // drag is dropped into the view as a real drop event.
        std::unique_ptr<QMimeData> dragged(list->model()->mimeData({list->indexFromItem(army)}));
        QWidget* viewport = app_->frame().xyPane()->viewport();
        const CXYView& xy = editor().xyView();
        const MapPoint centre = xy.centre();
        const PixelPoint at = xy.mapToWindow(static_cast<float>(centre.x / 64 * 64 + 37), static_cast<float>(centre.y / 64 * 64 - 5));
        const QPoint point(at.x - xy.scrollX(), at.y - xy.scrollY());
        QDragEnterEvent enter(point, Qt::CopyAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(point, Qt::CopyAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &drop);
        QVERIFY(drop.isAccepted());

        QCOMPARE(map.EntityCount(), before + 1);
        const CQEntity& placed = map.entity(before);
        QCOMPARE(placed.className(), "monster_army");
        QVERIFY(!placed.isModifiable() && placed.isCurrent() && map.isSelected(placed.brush(0)));
        const int x = centre.x / 64 * 64 + 32, y = centre.y / 64 * 64; // on the 16-unit grid
        QCOMPARE(QString::fromStdString(std::string(placed.GetValue("\"origin\""))), QString("\"%1 %2 24\"").arg(x).arg(y));
        QCOMPARE(placed.brush(0).mins(), (Vec3{static_cast<float>(x - 16), static_cast<float>(y - 16), 0}));

        // Something else dropped is not taken; Ctrl+Z takes the entity back.
        QMimeData text;
        text.setText("monster_army");
        QDragEnterEvent other(point, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &other);
        QVERIFY(!other.isAccepted());
        QTest::keyClick(app_->frame().xyPane(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(map.EntityCount(), before);
    }

    void aDoubleClickedBrushClassMakesTheSelectedBrushesIntoIt()
    {
        CQMap& map = editor().map();
        map.SetCurrentEntityByIndex(0);
        map.selectBrush({0, 0}, true);
        const int worldBrushes = map.entity(0).brushCount();
        const int before = map.EntityCount();
        auto* list = classes();
        QListWidgetItem* wall = list->findItems("func_wall", Qt::MatchExactly).front();
        list->scrollToItem(wall);
        const QPoint at = list->visualItemRect(wall).center();
        // A double click begins with a click, as the user's does.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(map.EntityCount(), before + 1);
        QCOMPARE(map.entity(before).className(), "func_wall");
        QCOMPARE(map.entity(0).brushCount(), worldBrushes - 1);
        QTest::keyClick(app_->frame().xyPane(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(map.EntityCount(), before);
        QCOMPARE(map.entity(0).brushCount(), worldBrushes);
    }

private:
    Editor& editor() { return app_->editor(); }
    QListWidget* classes() { return app_->frame().findChild<QListWidget*>("Classes"); }

    FreshApp app_;
};

QTEST_MAIN(EntityBrowserTest)
#include "entity_browser_test.moc"
