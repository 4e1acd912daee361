#include "editor/editor.h"
#include "editor_actions.h"
#include "main_frame.h"
#include "modal_answers.h"
#include "sample_map.h"
#include "platform/host.h"
#include "fresh_app.h"
#include "xy_view_widget.h"
#include "map_edits.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QListWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest/QtTest>

#include <memory>

using namespace vorn;
using namespace vorn::test;

namespace {

QComboBox* list(QWidget& dialog, const QString& name) { return dialog.findChild<QComboBox*>(name); }
QCheckBox* box(QWidget& dialog, const QString& name) { return dialog.findChild<QCheckBox*>(name); }
QTableWidget* otherKeys(QWidget& dialog) { return dialog.findChild<QTableWidget*>("Other keys"); }

// The eight spawnflag boxes' texts, top to bottom.
QStringList flagNames(QWidget& dialog)
{
    QStringList names;
    for (int bit = 1; bit <= 128; bit *= 2) names << box(dialog, QStringLiteral("Spawnflag %1").arg(bit))->text();
    return names;
}

QStringList rows(QTableWidget* table)
{
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row) texts << table->item(row, 0)->text() + "=" + table->item(row, 1)->text();
    return texts;
}

// Types a new other key and presses Add: the message refusing it, empty when none.
QString addKey(QWidget& dialog, const char* key, const char* value)
{
    fill(dialog, {{"New key", key}, {"New value", value}});
    return messageAfter([&] { button(dialog, "Add")->click(); });
}

QStringList pairs(const CQEntity& e)
{
    QStringList texts;
    for (const CQKeyValue& pair : e.pairs()) texts << QString::fromStdString(pair.key + " " + pair.value);
    return texts;
}

} // namespace

// Drives the properties dialogs of the real main window through its commands and views.
class PropertiesTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        app_.renew();
        QCOMPARE(CopySampleMap(app_.folder().path()), sampleMap());
    }

    void aLightsNewLevelIsInTheSavedMapAndCancelChangesNothing()
    {
        app_->start(sampleMap());
        CQMap& map = app_->editor().map();
        int light = 0;
        while (map.entity(light).GetValue("\"light\"") != "\"200\"") ++light;
        map.SetCurrentEntityByIndex(light);

        whileModal([&] { return properties(); }, [](QDialog& d) {
            QCOMPARE(d.windowTitle(), "Entity Properties");
            QCOMPARE(list(d, "Classname")->currentText(), "light");
            QCOMPARE(field(d, "Light Level")->text(), "200");
            QCOMPARE(flagNames(d), QStringList({"start_off", "", "", "", "", "", "", ""}));
            QCOMPARE(field(d, "Help")->text(), "Invisible light for the light tool. ");
            QVERIFY(box(d, "Easy")->isChecked() && box(d, "Deathmatch")->isChecked() && !box(d, "Spawnflag 1")->isChecked());
            whileModal([&] { return button(d, "More info")->click(), 0; }, [](QDialog& help) {
                QCOMPARE(help.windowTitle(), "Entity Creation Help");
                QCOMPARE(field(help, "Entity Type:")->text(), "light");
                auto* lines = help.findChild<QListWidget*>("Help");
                QCOMPARE(lines->count(), 8);
                QCOMPARE(lines->item(1)->text(), "light: brightness, 300 when not set ");
                button(help, "OK")->click();
            });
            QCOMPARE(submit(d, {{"Light Level", "250"}}), "");
        });
        QVERIFY(map.IsModifiedSinceSave());
        app_->frame().actions()["file.save"]->trigger();
        QFile saved(sampleMap());
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray text = saved.readAll();
        QVERIFY(text.contains("\"light\" \"250\"") && !text.contains("\"light\" \"200\""));

        // The door: a typed quote is refused, and Cancel afterwards leaves the entity where it was.
        map.SetCurrentEntityByIndex(1);
        whileModal([&] { return properties(); }, [](QDialog& d) {
            QCOMPARE(list(d, "Classname")->currentText(), "func_door");
            QCOMPARE(list(d, "Angle")->currentText(), "-1");
            QCOMPARE(field(d, "Speed")->text() + " " + field(d, "Wait")->text() + " " + field(d, "Sounds")->text(), "100 4 1");
            QCOMPARE(submit(d, {{"Message", "say \"hi\""}}), "Vorn: Keys and values cannot contain a double quote.");
            QVERIFY(d.isVisible());
            button(d, "Cancel")->click();
        });
        QCOMPARE(map.currentIndex(), 1);
        QCOMPARE(map.entity(1).className(), "func_door");
        QVERIFY(!map.IsModifiedSinceSave());
    }

    void twoBrushesMadeIntoADoorCarryItsKeys()
    {
        app_->start(QString());
        Editor& editor = app_->editor();
        CQMap& map = editor.map();
        for (float x : {0.0f, 100.0f, 200.0f}) AddBox(map, {x, 0, 0}, {x + 64, 64, 64});
        map.SelectAll();
        map.selectBrush({0, 1}, false);

        whileModal([&] { return app_->frame().actions()["brush.entity"]->trigger(), 0; }, [](QDialog& d) {
            QCOMPARE(d.windowTitle(), "Entity Properties");
            list(d, "Classname")->setCurrentText("func_door");
            QCOMPARE(flagNames(d), QStringList({"start_open", "-", "dont_link", "gold_key", "silver_key", "toggle", "", ""}));
            QCOMPARE(field(d, "Help")->text(), "Door; touching doors open together. ");
            box(d, "Spawnflag 32")->setChecked(true);
            box(d, "Deathmatch")->setChecked(false);
            list(d, "Angle")->setCurrentText("90");
            QCOMPARE(addKey(d, "delay", "2"), "");
            QCOMPARE(addKey(d, "delay", "3"), "Vorn: The key \"delay\" is already in the list.");
            QCOMPARE(addKey(d, "speed", "3"), "Vorn: The dialog writes the key \"speed\" itself.");
            QCOMPARE(rows(otherKeys(d)), QStringList("delay=2"));
            QCOMPARE(submit(d, {{"Speed", "fast"}}), "");
        });
        QCOMPARE(map.EntityCount(), 2);
        QCOMPARE(map.entity(0).brushCount(), 1);
        const CQEntity& door = map.entity(1);
        QCOMPARE(door.brushCount(), 2);
        QVERIFY(door.isCurrent() && door.isModifiable());
        QCOMPARE(pairs(door), QStringList({"\"classname\" \"func_door\"", "\"angle\" \"90\"", "\"speed\" \"fast\"",
                                           "\"spawnflags\" \"2080\"", "\"delay\" \"2\""}));
    }

    void aFirstClickIntoAnEmptyMapAsksForTheWorldsSettings()
    {
        app_->start(QString());
        Editor& editor = app_->editor();
        editor.prefs().wad = "id1/base.wad";
        QWidget* viewport = app_->frame().xyPane()->viewport();
        whileModal([&] { return QTest::mouseClick(viewport, Qt::LeftButton, {}, viewport->rect().center()), 0; }, [](QDialog& d) {
            QCOMPARE(d.windowTitle(), "Map Properties");
            QCOMPARE(field(d, "Wadfile")->text(), "id1/base.wad");
            QCOMPARE(field(d, "Name")->text() + field(d, "CD Track")->text() + field(d, "Worldtype")->text(), "");
            whileModal([&] { return button(d, "Find Wad")->click(), 0; }, [](QDialog& chooser) {
                QVERIFY(qobject_cast<QFileDialog*>(&chooser));
                QCOMPARE(qobject_cast<QFileDialog*>(&chooser)->nameFilters(), QStringList({"WAD Files (*.wad)", "All Files (*)"}));
                chooser.reject();
            });
            QCOMPARE(field(d, "Wadfile")->text(), "id1/base.wad");
            QCOMPARE(addKey(d, "_sunlight", "150"), "");
            QCOMPARE(submit(d, {{"Name", "Hall"}, {"Worldtype", "1"}}), "");
        });
        CQMap& map = editor.map();
        QCOMPARE(map.EntityCount(), 1);
        QVERIFY(map.entity(0).isWorld() && map.entity(0).isCurrent());
        QCOMPARE(pairs(map.entity(0)), QStringList({"\"classname\" \"worldspawn\"", "\"wad\" \"id1/base.wad\"", "\"message\" \"Hall\"",
                                                    "\"worldtype\" \"1\"", "\"_sunlight\" \"150\""}));

        // Editing: a key renamed to one already in the table is refused and put back.
        whileModal([&] { return properties(); }, [](QDialog& d) {
            QCOMPARE(field(d, "Name")->text() + " " + field(d, "Worldtype")->text(), "Hall 1");
            QCOMPARE(addKey(d, "_tb_def", "builtin"), "");
            QTableWidget* table = otherKeys(d);
            QCOMPARE(messageAfter([&] { table->item(1, 0)->setText("_sunlight"); }), "Vorn: The key \"_sunlight\" is already in the list.");
            QCOMPARE(rows(table), QStringList({"_sunlight=150", "_tb_def=builtin"}));
            table->item(0, 1)->setText("90");
            table->setCurrentCell(1, 0);
            button(d, "Remove")->click();
            QCOMPARE(submit(d, {{"Wadfile", ""}}), "");
        });
        QCOMPARE(pairs(map.entity(0)), QStringList({"\"classname\" \"worldspawn\"", "\"wad\" \"\"", "\"message\" \"Hall\"",
                                                    "\"worldtype\" \"1\"", "\"_sunlight\" \"90\""}));
        QCOMPARE(editor.prefs().wad, "");
    }

private:
    int properties() { return app_->frame().actions()["entity.properties"]->trigger(), 0; }
    QString sampleMap() const { return app_.folder().filePath("sample.map"); }

    FreshApp app_;
};

QTEST_MAIN(PropertiesTest)
#include "properties_test.moc"
