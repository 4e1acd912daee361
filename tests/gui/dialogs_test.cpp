#include "about_dialog.h"
#include "editor/editor.h"
#include "icons.h"
#include "modal_answers.h"
#include "platform/null_host.h"
#include "qt_dialogs.h"
#include "qt_settings_store.h"
#include "sample_map.h"
#include "setup_dialog.h"

#include <QFileDialog>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>

using namespace vorn;
using namespace vorn::test;

namespace {

// The dialog's texts in order: title, labels, group titles, [fields], choices (*checked) and buttons.
QString layout(const QDialog& dialog)
{
    QStringList texts = {dialog.windowTitle()};
    for (const QWidget* w : dialog.findChildren<QWidget*>()) {
        const QString text = w->property("text").toString() + w->property("title").toString();
        if (qobject_cast<const QLineEdit*>(w)) texts << "[" + text + "]";
        else if (!text.isEmpty()) texts << (w->property("checked").toBool() ? "*" : "") + text;
    }
    return texts.join(" | ");
}

// Records the messages, and the cursor at each message and debug report.
struct CursorHost : NullHost {
    void messageBox(std::string_view text) override { messages.emplace_back(text); note(); }
    void debugOutput(std::string_view) override { note(); }
    void note() { cursors.push_back(QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::ArrowCursor); }
    std::vector<std::string> messages;
    std::vector<Qt::CursorShape> cursors;
};

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void numberFieldsRefuseBadTextNamingAndFocusingTheFieldAndScaleCopiesX()
    {
        QtDialogs dialogs;
        const auto room = whileModal([&] { return dialogs.makeRoom(RoomSettings{24}); }, [](QDialog& d) {
            QCOMPARE(layout(d), "Make a Room | OK | Cancel | Wall Thickness | [24]");
            for (const char* text : {"0", "twelve", "99999999999"}) { // beyond int: refused, not cut
                QCOMPARE(submit(d, {{"Wall Thickness", text}}), text[0] == '0' ? "Vorn: Wall Thickness must be a whole number from 1 to 256."
                                                                               : "Vorn: Wall Thickness must be a whole number.");
                QVERIFY(d.isVisible() && d.focusWidget() == field(d, "Wall Thickness"));
            }
            QCOMPARE(submit(d, {{"Wall Thickness", " 256 "}}), "");
        });
        QCOMPARE(room ? room->wallThickness : 0, 256);

        const auto turn = whileModal([&] { return dialogs.rotationSetup({}); }, [](QDialog& d) {
            QCOMPARE(layout(d), "Rotation Setup | OK | X Angle | [15] | Y Angle | [15] | Z Angle | [15]");
            QCOMPARE(submit(d, {{"X Angle", "-360"}, {"Y Angle", "360"}, {"Z Angle", "361"}}),
                     "Vorn: Z Angle must be a whole number from -360 to 360.");
            QCOMPARE(d.focusWidget(), field(d, "Z Angle"));
            QCOMPARE(submit(d, {{"Z Angle", "0"}}), "");
        });
        QCOMPARE(turn ? QList<int>({turn->x, turn->y, turn->z}) : QList<int>(), QList<int>({-360, 360, 0}));
        // Closing the window instead of OK keeps the old angles.
        QVERIFY(!whileModal([&] { return dialogs.rotationSetup({}); }, [](QDialog& d) { d.close(); }));

        const auto scale = whileModal([&] { return dialogs.scaleSettings({}); }, [](QDialog& d) {
            fill(d, {{"X", "3"}});
            button(d, "Equal")->click();
            QVERIFY(d.isVisible());
            QCOMPARE(layout(d), "Scale setttings | OK | Cancel | Equal | X | [3] | Y | [3] | Z | [3]");
            fill(d, {{"X", "three"}});
            QCOMPARE(messageAfter([&] { button(d, "Equal")->click(); }), "Vorn: X must be a number.");
            QCOMPARE(field(d, "Y")->text(), "3");
            QCOMPARE(submit(d, {{"X", "0.1"}, {"Y", "10"}, {"Z", " 0.5 "}}), "");
        });
        QCOMPARE(scale ? QList<float>({scale->x, scale->y, scale->z}) : QList<float>(), QList<float>({0.1f, 10.0f, 0.5f}));
    }

    void choiceDialogsShowTheirTextsAndReturnTheChoice()
    {
        // OK with the last choice and 6, 12 typed returns its index and the fields; Cancel returns and says nothing.
        const std::tuple<std::function<QList<int>(QtDialogs&)>, QString, QList<int>> cases[] = {
            {[](QtDialogs& d) { const auto s = d.makeStairs({}); return s ? QList<int>{int(s->upEnd), s->height, s->thickness} : QList<int>(); },
             "Make Stairs | OK | Cancel | Up end | *North | South | East | West | Height | [16] | Thickness | [0] | Height - how high "
             "each step is from the previous step.\nThickness - how thick each step is (0 is all the way to the bottom of the "
             "brush for solid stairs)", {3, 6, 12}},
            {[](QtDialogs& d) { const auto s = d.makeRamp({Compass::South}); return s ? QList<int>{int(s->elevatedEnd)} : QList<int>(); },
             "Make a Ramp | OK | Cancel | Which end is elevated? | North | *South | East | West", {3}},
            {[](QtDialogs& d) { const auto s = d.makeArch({}); return s ? QList<int>{s->direction, s->pieces, s->thickness} : QList<int>(); },
             "Make an Arch | OK | Cancel | Direction Arch Faces | *North/South | East/West | Pieces | [5] | Thickness | [16] | Pieces - "
             "number of pieces to break the arch into (4 min).\nThickness - how thick each brick will be", {1, 6, 12}},
            {[](QtDialogs& d) { const auto s = d.makeCylinder({}); return s ? QList<int>{s->direction, s->sides, s->thickness} : QList<int>(); },
             "Make a Cylinder/Tube | OK | Cancel | Direction | *Up/Down | North/South | East/West | Sides | [8] | Thickness | [0] | Sides "
             "- number of sides for the cylinder to have\nThickness - the thickness of each side to make a tube (0 means to make a "
             "solid cylinder)", {2, 6, 12}},
            {[](QtDialogs& d) { const auto s = d.makeSpike({}); return s ? QList<int>{s->direction, s->sides} : QList<int>(); },
             "Make a Spike | OK | Cancel | Point direction | *Up | North | East | Down | South | West | Sides | [8] | Sides - number of "
             "sides for the spike to have", {5, 6}}};
        QtDialogs dialogs;
        for (const auto& [open, texts, values] : cases) {
            const QList<int> result = whileModal([&] { return open(dialogs); }, [&](QDialog& d) {
                QCOMPARE(layout(d), texts);
                d.findChildren<QRadioButton*>().constLast()->click();
                for (int typed = 0; QLineEdit* edit : d.findChildren<QLineEdit*>()) edit->setText(QString::number(typed += 6));
                QCOMPARE(submit(d), "");
            });
            QCOMPARE(result, values);
            QVERIFY(whileModal([&] { return open(dialogs); }, [](QDialog& d) {
                for (QLineEdit* edit : d.findChildren<QLineEdit*>()) edit->setText("-1000");
                QCOMPARE(messageAfter([&] { button(d, "Cancel")->click(); }), QString());
            }).isEmpty());
        }
    }

    void theAboutBoxAndIconsDraw()
    {
        AboutDialog about;
        QCOMPARE(layout(about), "About Vorn | Vorn version 1.5 | OK");
        QVERIFY(!about.findChild<QWidget*>("icon")->property("pixmap").value<QPixmap>().isNull());
        for (const char* name : {"new", "open", "save", "cut", "copy", "paste", "grid", "classnames", "rotate_x", "rotate_x_back",
                                 "rotate_y", "rotate_y_back", "rotate_z", "rotate_z_back", "scale_up", "scale_down", "stairs", "ramp",
                                 "clipper", "camera_off", "wireframe", "unlit_flat", "flat_shaded", "gouraud", "about", "vorn"}) {
            const QImage alpha = icon(name).pixmap(16, 16).toImage().convertToFormat(QImage::Format_Alpha8);
            QVERIFY2(alpha.width() == 16 && std::count_if(alpha.bits(), alpha.bits() + 256, [](uchar a) { return a > 128; }) > 16, name);
        }
    }

    void setupShowsStoresOrKeepsThePreferencesAndReloadsTheEntityList()
    {
        QTemporaryDir dir;
        const QString qel = dir.filePath("mine.qel");
        QVERIFY(WriteFile(qel, "ENTTYPE: test_one ( 1 0 0 ) ?\n:END\nENTTYPE: test_two ( 0 1 0 ) ( -8 -8 -8 ) ( 8 8 8 )\n:END\n"));
        CursorHost host;
        QtDialogs dialogs;
        Editor editor(host, dialogs);
        Preferences& prefs = editor.prefs();
        const QStringList names = {"light", "qbsp", "vis", "quake", "entityList", "gameFolder", "authorName", "authorEmail"};
        std::string* members[] = {&prefs.light, &prefs.qbsp, &prefs.vis, &prefs.quake, &prefs.entityList, &prefs.gameFolder,
                                  &prefs.authorName, &prefs.authorEmail};
        for (int i = 0; i < names.size(); ++i) *members[i] = names[i].toStdString();
        QVERIFY(!whileModal([&] { return runSetupDialog(nullptr, editor); }, [](QDialog& d) { // Cancel: nothing changes
            for (QLineEdit* edit : d.findChildren<QLineEdit*>()) edit->setText("changed");
            button(d, "Cancel")->click();
        }));
        const auto typed = [&](int i) { return names[i] == "entityList" ? qel : QString("/new/Zoë's %1").arg(names[i]); };
        QVERIFY(whileModal([&] { return runSetupDialog(nullptr, editor); }, [&](QDialog& d) {
            QCOMPARE(layout(d), "Vorn Setup | Files | Light | [light] | Find... | QBsp | [qbsp] | Find... | Vis | [vis] | Find... | Quake | "
                                "[quake] | Find... | Entity | [entityList] | Find... | Game Folder | [gameFolder] | Find... | Author Info (optional) | Name | [authorName] | "
                                "EMail | [authorEmail] | Autosave every | 5 min | [5 min] | OK | Cancel");
            for (int i = 0; i < names.size(); ++i) field(d, names[i])->setText(typed(i));
            d.findChild<QSpinBox*>("autosaveMinutes")->setValue(12);
            QCOMPARE(submit(d), "");
        }));
        for (int i = 0; i < names.size(); ++i) QCOMPARE(QString::fromStdString(*members[i]), typed(i));
        QCOMPARE(prefs.autosaveMinutes, 12);
        QCOMPARE(editor.classes().count(), 2);
        QCOMPARE(editor.classes().nameAt(1), "test_two");

        // A blank field keeps the list; were it read again, it would now hold one class.
        QVERIFY(WriteFile(qel, "ENTTYPE: test_three ( 0 0 1 ) ?\n:END\n"));
        SetupDialog setup(nullptr, prefs);
        fill(setup, {{"entityList", "  "}, {"vis", "/tools/vis"}});
        setup.apply(editor);
        QCOMPARE(QString::fromStdString(prefs.entityList + prefs.vis), qel + "/tools/vis");
        QCOMPARE(editor.classes().count(), 2);

        // A list that cannot be read: loaded under the wait cursor, reported after it, the bundled classes used.
        const QString missing = dir.filePath("missing.qel");
        field(setup, "entityList")->setText(missing);
        host.cursors.clear();
        setup.apply(editor);
        QVERIFY(editor.classes().count() > 2);
        QCOMPARE(host.messages, std::vector<std::string>{"Could not read the entity list " + missing.toStdString() +
                                                         "; the built-in entity classes are used instead."});
        QCOMPARE(host.cursors.front(), Qt::WaitCursor);
        QCOMPARE(host.cursors.back(), Qt::ArrowCursor);

        // A list that holds no class is reported too; the default list, simply absent, is not.
        QVERIFY(WriteFile(qel, "not an entity list\n"));
        field(setup, "entityList")->setText(qel);
        host.messages.clear();
        setup.apply(editor);
        QVERIFY(editor.classes().count() > 2);
        QCOMPARE(host.messages, std::vector<std::string>{"The entity list " + qel.toStdString() +
                                                         " holds no entity classes; the built-in entity classes are used instead."});
        const QString here = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        field(setup, "entityList")->setText("entities.qel");
        host.messages.clear();
        setup.apply(editor);
        QVERIFY(QDir::setCurrent(here));
        QVERIFY(editor.classes().count() > 2 && host.messages.empty());

        // Find offers the filters; the file chosen fills the field, a cancelled choice keeps it.
        const std::tuple<QString, QStringList, QString> finds[] = {
            {"qbsp", {"Programs (*)", "Application Files (*.exe)"}, "/new/Zoë's qbsp"},
            {"entityList", {"Entity Definitions (*.qel *.fgd *.def)", "Quake Entity List files (*.qel)", "FGD files (*.fgd)", "DEF files (*.def)"}, qel}};
        for (const auto& [name, filters, result] : finds) {
            whileModal([&] { setup.findChild<QAbstractButton*>("find" + name)->click(); return 0; }, [&](QDialog& d) {
                auto* chooser = qobject_cast<QFileDialog*>(&d);
                QVERIFY(chooser);
                QCOMPARE(chooser->nameFilters(), filters);
                chooser->selectFile(qel);
                result == qel ? d.accept() : d.reject();
            });
            QCOMPARE(field(setup, name)->text(), result);
        }
        // The game folder's Find chooses a folder.
        whileModal([&] { setup.findChild<QAbstractButton*>("findgameFolder")->click(); return 0; }, [&](QDialog& d) {
            auto* chooser = qobject_cast<QFileDialog*>(&d);
            QVERIFY(chooser);
            QCOMPARE(chooser->fileMode(), QFileDialog::Directory);
            chooser->setDirectory(dir.path());
            chooser->selectFile(dir.path());
            d.accept();
        });
        QCOMPARE(QDir::fromNativeSeparators(field(setup, "gameFolder")->text()), dir.path());
    }

    void preferencesSurviveTheSettingsFileAndBadValuesTakeTheirDefaults()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Vorn.conf");
        const QStringList texts = QString("paths/qbsp paths/light paths/vis paths/wad paths/game_folder paths/temp paths/quake paths/entity_list "
                                          "preferences/curtexture preferences/author/name preferences/author/email").split(' ');
        const QStringList numbers = QString("curtargetid xygridsize xygridshow xygridsnap xydrawnames xyscale xywidth xyheight zwidth zheight "
                                            "qwidth qheight camwidth camheight camon cammode autosave_minutes mainwin/show mainwin/left mainwin/top "
                                            "mainwin/right mainwin/bottom fourcamwidth fourcamheight fourfrontwidth texturelock").split(' ');
        // Every key read and written back unchanged: texts the INI format must escape, a different number in each.
        const char* tricky[] = {"/my lists/q, e1.qel", "*water0", "Zoë \"the\"; Smith", "zoe=1@x.org", "@/q", "#tmp", "C:\\q\\gfx.wad"};
        QSettings original(path, QSettings::IniFormat);
        int n = 0;
        for (const QString& key : texts) original.setValue(key, tricky[n++ % std::size(tricky)]);
        for (const QString& key : numbers) original.setValue("preferences/" + key, n += 7);
        original.setValue("preferences/layout", "classic");
        original.sync();
        Preferences prefs;
        prefs.load(QtSettingsStore(path));
        QtSettingsStore store(dir.filePath("copy.conf"));
        prefs.save(store);
        QVERIFY(store.sync());
        const QSettings saved(dir.filePath("copy.conf"), QSettings::IniFormat);
        QCOMPARE(saved.allKeys().size(), original.allKeys().size());
        for (const QString& key : original.allKeys()) QCOMPARE(saved.value(key).toString(), original.value(key).toString());

        // Hand edits: an unquoted comma makes the INI reader see a list, whose text must not be lost; a camera pane
        // size below 1 or a number that is none takes the default; a negative autosave interval turns autosave off.
        QVERIFY(WriteFile(path, "[paths]\nqbsp=/home/a,b/qbsp\n[preferences]\ncamwidth=0\ncamheight=-5\nxygridsize=wide\nautosave_minutes=-3\n"));
        prefs.load(QtSettingsStore(path));
        QCOMPARE(prefs.qbsp, "/home/a,b/qbsp");
        QCOMPARE(QList<int>({prefs.camPane.width, prefs.camPane.height, prefs.xyGridSize, prefs.autosaveMinutes}),
                 QList<int>({200, 150, 16, 0}));
        QCOMPARE(Preferences().autosaveMinutes, 5);
        // A folder cannot be created below a plain file.
        QtSettingsStore unwritable(path + "/sub/Vorn.conf");
        unwritable.writeInt("preferences", "camon", 1);
        QVERIFY(!unwritable.sync());
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
