#include "about_dialog.h"
#include "editor/editor.h"
#include "gui_fake_host.h"
#include "icons.h"
#include "map/entity.h"
#include "qt_dialogs.h"
#include "qt_settings_store.h"
#include "setup_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

using namespace vorn;

namespace {

QPushButton* standardButton(QDialog& dialog, QDialogButtonBox::StandardButton which)
{
    auto* box = dialog.findChild<QDialogButtonBox*>();
    return box ? box->button(which) : nullptr;
}

QLineEdit* field(QDialog& dialog, const QString& name)
{
    return dialog.findChild<QLineEdit*>(name);
}

// The radio buttons of a choice field, in order.
QList<QRadioButton*> choices(QDialog& dialog, const QString& label)
{
    auto* box = dialog.findChild<QGroupBox*>(label);
    return box ? box->findChildren<QRadioButton*>() : QList<QRadioButton*>{};
}

QStringList texts(const QList<QRadioButton*>& buttons)
{
    QStringList result;
    for (const QRadioButton* button : buttons) result << button->text();
    return result;
}

QString checkedChoice(QDialog& dialog, const QString& label)
{
    for (const QRadioButton* button : choices(dialog, label)) {
        if (button->isChecked()) return button->text();
    }
    return {};
}

void choose(QDialog& dialog, const QString& label, const QString& text)
{
    for (QRadioButton* button : choices(dialog, label)) {
        if (button->text() == text) button->click();
    }
}

// Calls open(), which blocks in a modal dialog, while drive() acts on that dialog. A dialog
// that drive() leaves open is a failure and is cancelled, so the run cannot hang.
template <typename Open>
auto whileModal(Open open, std::function<void(QDialog&)> drive)
{
    QTimer::singleShot(0, qApp, [drive] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY2(dialog, "no modal dialog opened");
        drive(*dialog);
        if (dialog->isVisible()) {
            dialog->reject();
            QFAIL("the dialog was left open");
        }
    });
    return open();
}

// Presses a button expecting a refusal: returns "title: text" of the message shown (empty when
// none appeared) after closing it.
QString refusal(QPushButton* button)
{
    auto shown = std::make_shared<QString>();
    QTimer::singleShot(0, button, [shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            *shown = box->windowTitle() + QStringLiteral(": ") + box->text();
            box->accept();
        }
    });
    button->click();
    return *shown;
}

QString refusedOk(QDialog& dialog)
{
    return refusal(standardButton(dialog, QDialogButtonBox::Ok));
}

void pressOk(QDialog& dialog)
{
    standardButton(dialog, QDialogButtonBox::Ok)->click();
}

bool writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// Every field, so that two preferences can be compared.
QStringList describe(const Preferences& p)
{
    QStringList fields;
    for (const std::string* text : {&p.entityList, &p.curTexture, &p.authorName, &p.authorEmail, &p.qbsp, &p.vis,
                                    &p.light, &p.quake, &p.temp, &p.wad}) {
        fields << QString::fromStdString(*text);
    }
    for (int number : {p.camOn, p.camMode, p.curTargetId, p.xyGridSize, p.xyGridShow, p.xyGridSnap, p.xyDrawNames,
                       p.xyScalePercent, p.xyPane.width, p.xyPane.height, p.camPane.width, p.camPane.height,
                       p.controlPane.width, p.controlPane.height, p.zPane.width, p.zPane.height, p.mainWindow.show,
                       p.mainWindow.left, p.mainWindow.top, p.mainWindow.right, p.mainWindow.bottom}) {
        fields << QString::number(number);
    }
    return fields;
}

const QByteArray kTwoClasses = "ENTTYPE: test_one ( 1 0 0 ) ?\nCOMMENT: first\n:END\n"
                               "ENTTYPE: test_two ( 0 1 0 ) ( -8 -8 -8 ) ( 8 8 8 )\nCOMMENT: second\n:END\n";

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void roomOpensWithStartValueAndRefusesBadThickness()
    {
        QtDialogs dialogs;
        const auto result = whileModal([&] { return dialogs.makeRoom(RoomSettings{24}); }, [](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Make a Room"));
            QLineEdit* wall = field(d, QStringLiteral("Wall Thickness"));
            QVERIFY(wall);
            QCOMPARE(wall->text(), QStringLiteral("24"));

            wall->setText(QStringLiteral("0"));
            QCOMPARE(refusedOk(d), QStringLiteral("Vorn: Wall Thickness must be a whole number from 1 to 256."));
            QVERIFY(d.isVisible());
            QCOMPARE(d.focusWidget(), wall);

            wall->setText(QStringLiteral("twelve"));
            QCOMPARE(refusedOk(d), QStringLiteral("Vorn: Wall Thickness must be a whole number."));
            wall->setText(QStringLiteral("99999999999")); // beyond int, not silently cut
            QCOMPARE(refusedOk(d), QStringLiteral("Vorn: Wall Thickness must be a whole number."));
            QVERIFY(d.isVisible());

            wall->setText(QStringLiteral(" 256 "));
            pressOk(d);
        });
        QVERIFY(result);
        QCOMPARE(result->wallThickness, 256);
    }

    void rotationHasOnlyOkAndAcceptsTheFullCircle()
    {
        QtDialogs dialogs;
        const auto result = whileModal([&] { return dialogs.rotationSetup(RotationSettings{}); }, [](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Rotation Setup"));
            QVERIFY(!standardButton(d, QDialogButtonBox::Cancel));
            for (const char* label : {"X Angle", "Y Angle", "Z Angle"}) {
                QVERIFY(field(d, QLatin1String(label)));
                QCOMPARE(field(d, QLatin1String(label))->text(), QStringLiteral("15"));
            }
            field(d, QStringLiteral("X Angle"))->setText(QStringLiteral("400"));
            QCOMPARE(refusedOk(d), QStringLiteral("Vorn: X Angle must be a whole number from -360 to 360."));
            QCOMPARE(d.focusWidget(), field(d, QStringLiteral("X Angle")));

            field(d, QStringLiteral("X Angle"))->setText(QStringLiteral("-360"));
            field(d, QStringLiteral("Z Angle"))->setText(QStringLiteral("361"));
            QCOMPARE(refusedOk(d), QStringLiteral("Vorn: Z Angle must be a whole number from -360 to 360."));
            QCOMPARE(d.focusWidget(), field(d, QStringLiteral("Z Angle")));

            field(d, QStringLiteral("Y Angle"))->setText(QStringLiteral("360"));
            field(d, QStringLiteral("Z Angle"))->setText(QStringLiteral("0"));
            pressOk(d);
        });
        QVERIFY(result);
        QCOMPARE(result->x, -360);
        QCOMPARE(result->y, 360);
        QCOMPARE(result->z, 0);

        // Closing the window instead of OK keeps the old angles.
        const auto closed = whileModal([&] { return dialogs.rotationSetup(RotationSettings{}); },
                                       [](QDialog& d) { d.close(); });
        QVERIFY(!closed);
    }

    void stairsOpenWithDefaultsAndReturnTheChoice()
    {
        QtDialogs dialogs;
        const auto result = whileModal([&] { return dialogs.makeStairs(StairsSettings{}); }, [](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Make Stairs"));
            QCOMPARE(texts(choices(d, QStringLiteral("Up end"))),
                     QStringList({"North", "South", "East", "West"}));
            QCOMPARE(checkedChoice(d, QStringLiteral("Up end")), QStringLiteral("North"));
            QCOMPARE(field(d, QStringLiteral("Height"))->text(), QStringLiteral("16"));
            QCOMPARE(field(d, QStringLiteral("Thickness"))->text(), QStringLiteral("0"));
            QCOMPARE(d.findChild<QLabel*>(QStringLiteral("help"))->text(),
                     QStringLiteral("Height - how high each step is from the previous step.\nThickness - how thick "
                                    "each step is (0 is all the way to the bottom of the brush for solid stairs)"));

            field(d, QStringLiteral("Height"))->setText(QStringLiteral("33"));
            QCOMPARE(refusedOk(d), QStringLiteral("Vorn: Height must be a whole number from 1 to 32."));
            field(d, QStringLiteral("Height"))->setText(QStringLiteral("8"));
            // A negative thickness would make every step vanish.
            field(d, QStringLiteral("Thickness"))->setText(QStringLiteral("-4"));
            QVERIFY(refusedOk(d).startsWith(QStringLiteral("Vorn: Thickness")));
            QCOMPARE(d.focusWidget(), field(d, QStringLiteral("Thickness")));

            field(d, QStringLiteral("Thickness"))->setText(QStringLiteral("4"));
            choose(d, QStringLiteral("Up end"), QStringLiteral("West"));
            pressOk(d);
        });
        QVERIFY(result);
        QCOMPARE(result->upEnd, Compass::West);
        QCOMPARE(result->height, 8);
        QCOMPARE(result->thickness, 4);
    }

    void rampOpensWithTheGivenEnd()
    {
        QtDialogs dialogs;
        RampSettings start;
        start.elevatedEnd = Compass::South;
        const auto result = whileModal([&] { return dialogs.makeRamp(start); }, [](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Make a Ramp"));
            QCOMPARE(checkedChoice(d, QStringLiteral("Which end is elevated?")), QStringLiteral("South"));
            choose(d, QStringLiteral("Which end is elevated?"), QStringLiteral("East"));
            pressOk(d);
        });
        QVERIFY(result);
        QCOMPARE(result->elevatedEnd, Compass::East);
    }

    void curvedPrimitiveDialogsShowTheirChoicesAndHelp()
    {
        QtDialogs dialogs;
        const auto arch = whileModal([&] { return dialogs.makeArch(ArchSettings{}); }, [](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Make an Arch"));
            QCOMPARE(texts(choices(d, QStringLiteral("Direction Arch Faces"))),
                     QStringList({"North/South", "East/West"}));
            QCOMPARE(checkedChoice(d, QStringLiteral("Direction Arch Faces")), QStringLiteral("North/South"));
            QCOMPARE(field(d, QStringLiteral("Pieces"))->text(), QStringLiteral("5"));
            QCOMPARE(field(d, QStringLiteral("Thickness"))->text(), QStringLiteral("16"));
            QCOMPARE(d.findChild<QLabel*>(QStringLiteral("help"))->text(),
                     QStringLiteral("Pieces - number of pieces to break the arch into (4 min).\n"
                                    "Thickness - how thick each brick will be"));
            field(d, QStringLiteral("Pieces"))->setText(QStringLiteral("16"));
            choose(d, QStringLiteral("Direction Arch Faces"), QStringLiteral("East/West"));
            pressOk(d);
        });
        QVERIFY(arch);
        QCOMPARE(arch->direction, 1);
        QCOMPARE(arch->pieces, 16);

        const auto cylinder = whileModal([&] { return dialogs.makeCylinder(CylinderSettings{}); }, [](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Make a Cylinder/Tube"));
            QCOMPARE(texts(choices(d, QStringLiteral("Direction"))),
                     QStringList({"Up/Down", "North/South", "East/West"}));
            QCOMPARE(checkedChoice(d, QStringLiteral("Direction")), QStringLiteral("Up/Down"));
            QCOMPARE(field(d, QStringLiteral("Sides"))->text(), QStringLiteral("8"));
            QCOMPARE(field(d, QStringLiteral("Thickness"))->text(), QStringLiteral("0"));
            QCOMPARE(d.findChild<QLabel*>(QStringLiteral("help"))->text(),
                     QStringLiteral("Sides - number of sides for the cylinder to have\nThickness - the thickness "
                                    "of each side to make a tube (0 means to make a solid cylinder)"));
            field(d, QStringLiteral("Thickness"))->setText(QStringLiteral("8"));
            choose(d, QStringLiteral("Direction"), QStringLiteral("East/West"));
            pressOk(d);
        });
        QVERIFY(cylinder);
        QCOMPARE(cylinder->direction, 2);
        QCOMPARE(cylinder->thickness, 8);

        const auto spike = whileModal([&] { return dialogs.makeSpike(SpikeSettings{}); }, [](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Make a Spike"));
            QCOMPARE(texts(choices(d, QStringLiteral("Point direction"))),
                     QStringList({"Up", "North", "East", "Down", "South", "West"}));
            QCOMPARE(checkedChoice(d, QStringLiteral("Point direction")), QStringLiteral("Up"));
            QCOMPARE(field(d, QStringLiteral("Sides"))->text(), QStringLiteral("8"));
            QCOMPARE(d.findChild<QLabel*>(QStringLiteral("help"))->text(),
                     QStringLiteral("Sides - number of sides for the spike to have"));
            field(d, QStringLiteral("Sides"))->setText(QStringLiteral("32"));
            choose(d, QStringLiteral("Point direction"), QStringLiteral("Down"));
            pressOk(d);
        });
        QVERIFY(spike);
        QCOMPARE(spike->direction, 3);
        QCOMPARE(spike->sides, 32);
    }

    void scaleEqualCopiesXAndOkChecksTheRange()
    {
        QtDialogs dialogs;
        const auto result = whileModal([&] { return dialogs.scaleSettings(ScaleSettings{}); }, [](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Scale setttings"));
            for (const char* axis : {"X", "Y", "Z"}) QCOMPARE(field(d, QLatin1String(axis))->text(), QStringLiteral("2"));
            QPushButton* equal = nullptr;
            for (QPushButton* button : d.findChildren<QPushButton*>()) {
                if (button->text() == QStringLiteral("Equal")) equal = button;
            }
            QVERIFY(equal);

            field(d, QStringLiteral("X"))->setText(QStringLiteral("3"));
            equal->click();
            QVERIFY(d.isVisible());
            QCOMPARE(field(d, QStringLiteral("Y"))->text(), QStringLiteral("3"));
            QCOMPARE(field(d, QStringLiteral("Z"))->text(), QStringLiteral("3"));

            field(d, QStringLiteral("X"))->setText(QStringLiteral("three"));
            QCOMPARE(refusal(equal), QStringLiteral("Vorn: X must be a number."));
            QCOMPARE(field(d, QStringLiteral("Y"))->text(), QStringLiteral("3"));

            field(d, QStringLiteral("X"))->setText(QStringLiteral("0.05"));
            QCOMPARE(refusedOk(d), QStringLiteral("Vorn: X must be a number from 0.1 to 10."));
            field(d, QStringLiteral("X"))->setText(QStringLiteral("0.1"));
            field(d, QStringLiteral("Y"))->setText(QStringLiteral("10"));
            field(d, QStringLiteral("Z"))->setText(QStringLiteral("10.5"));
            QCOMPARE(refusedOk(d), QStringLiteral("Vorn: Z must be a number from 0.1 to 10."));
            QCOMPARE(d.focusWidget(), field(d, QStringLiteral("Z")));
            field(d, QStringLiteral("Z"))->setText(QStringLiteral("0.5"));
            pressOk(d);
        });
        QVERIFY(result);
        QCOMPARE(result->x, 0.1f);
        QCOMPARE(result->y, 10.0f);
        QCOMPARE(result->z, 0.5f);
    }

    void cancelReturnsNothing()
    {
        QtDialogs dialogs;
        const std::vector<std::function<bool()>> opens = {
            [&] { return dialogs.makeRoom({}).has_value(); },
            [&] { return dialogs.makeStairs({}).has_value(); },
            [&] { return dialogs.makeRamp({}).has_value(); },
            [&] { return dialogs.makeArch({}).has_value(); },
            [&] { return dialogs.makeCylinder({}).has_value(); },
            [&] { return dialogs.makeSpike({}).has_value(); },
            [&] { return dialogs.scaleSettings({}).has_value(); },
        };
        for (const auto& open : opens) {
            const bool confirmed = whileModal(open, [](QDialog& d) {
                // Even with a value out of range Cancel closes without a message.
                for (QLineEdit* edit : d.findChildren<QLineEdit*>()) edit->setText(QStringLiteral("-1000"));
                QCOMPARE(refusal(standardButton(d, QDialogButtonBox::Cancel)), QString());
            });
            QVERIFY(!confirmed);
        }
    }

    void propertiesDialogsReportThatTheyAreMissing()
    {
        QStringList reported;
        QtDialogs dialogs(nullptr, [&](const QString& text) { reported << text; });
        CQEntity entity;
        QVERIFY(!dialogs.entityProperties(entity));
        QVERIFY(!dialogs.mapProperties(entity, Dialogs::MapPropertiesUse::Editing));
        QCOMPARE(reported, QStringList({"Entity Properties is not available yet.",
                                        "Map Properties is not available yet."}));
        QVERIFY(!dialogs.textureSelector("base.wad", "WALL"));
        // A first click into an empty map must still make its world.
        QtDialogs silent;
        QVERIFY(silent.mapProperties(entity, Dialogs::MapPropertiesUse::Creating));
    }

    void setupOpensFilledFromThePreferences()
    {
        Preferences prefs;
        prefs.light = "/opt/q/light";
        prefs.qbsp = "/opt/q/qbsp";
        prefs.vis = "/opt/q/vis";
        prefs.quake = "/opt/q/quake";
        prefs.entityList = "/opt/q/entities.qel";
        prefs.authorName = "Ann";
        prefs.authorEmail = "ann@example.org";
        SetupDialog dialog(nullptr, prefs);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Vorn Setup"));
        QStringList groups;
        for (const QGroupBox* box : dialog.findChildren<QGroupBox*>()) groups << box->title();
        QCOMPARE(groups, QStringList({"Files", "Author Info (optional)"}));
        QCOMPARE(field(dialog, QStringLiteral("light"))->text(), QStringLiteral("/opt/q/light"));
        QCOMPARE(field(dialog, QStringLiteral("qbsp"))->text(), QStringLiteral("/opt/q/qbsp"));
        QCOMPARE(field(dialog, QStringLiteral("vis"))->text(), QStringLiteral("/opt/q/vis"));
        QCOMPARE(field(dialog, QStringLiteral("quake"))->text(), QStringLiteral("/opt/q/quake"));
        QCOMPARE(field(dialog, QStringLiteral("entityList"))->text(), QStringLiteral("/opt/q/entities.qel"));
        QCOMPARE(field(dialog, QStringLiteral("authorName"))->text(), QStringLiteral("Ann"));
        QCOMPARE(field(dialog, QStringLiteral("authorEmail"))->text(), QStringLiteral("ann@example.org"));
    }

    void setupOkStoresThePathsAndReloadsTheEntityList()
    {
        QTemporaryDir dir;
        const QString qel = dir.filePath(QStringLiteral("mine.qel"));
        QVERIFY(writeFile(qel, kTwoClasses));
        test::GuiFakeHost host;
        QtDialogs dialogs;
        Editor editor(host, dialogs);

        const bool ok = whileModal([&] { return runSetupDialog(nullptr, editor); }, [&](QDialog& d) {
            field(d, QStringLiteral("light"))->setText(QStringLiteral("/tools/light"));
            field(d, QStringLiteral("qbsp"))->setText(QStringLiteral("/tools/my qbsp"));
            field(d, QStringLiteral("vis"))->setText(QStringLiteral("/tools/vis"));
            field(d, QStringLiteral("quake"))->setText(QStringLiteral("/games/quake/quake"));
            field(d, QStringLiteral("authorName"))->setText(QStringLiteral("Zoë"));
            field(d, QStringLiteral("authorEmail"))->setText(QStringLiteral("zoe@example.org"));
            field(d, QStringLiteral("entityList"))->setText(qel);
            pressOk(d);
        });
        QVERIFY(ok);
        QCOMPARE(editor.prefs().light, "/tools/light");
        QCOMPARE(editor.prefs().qbsp, "/tools/my qbsp");
        QCOMPARE(editor.prefs().vis, "/tools/vis");
        QCOMPARE(editor.prefs().quake, "/games/quake/quake");
        QCOMPARE(editor.prefs().authorName, "Zoë");
        QCOMPARE(editor.prefs().authorEmail, "zoe@example.org");
        QCOMPARE(editor.prefs().entityList, qel.toStdString());
        QCOMPARE(editor.classes().count(), 2);
        QCOMPARE(editor.classes().nameAt(1), "test_two");
        QVERIFY(!QApplication::overrideCursor());
    }

    void setupReloadsUnderTheWaitCursorAndFallsBackWhenTheListIsMissing()
    {
        QTemporaryDir dir;
        test::GuiFakeHost host;
        QtDialogs dialogs;
        Editor editor(host, dialogs);
        std::vector<Qt::CursorShape> cursors;
        host.onDebugOutput = [&] {
            const QCursor* cursor = QApplication::overrideCursor();
            cursors.push_back(cursor ? cursor->shape() : Qt::ArrowCursor);
        };
        SetupDialog dialog(nullptr, editor.prefs());
        field(dialog, QStringLiteral("entityList"))->setText(dir.filePath(QStringLiteral("missing.qel")));
        dialog.apply(editor);
        QVERIFY(!cursors.empty());
        QCOMPARE(cursors.front(), Qt::WaitCursor);
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(editor.classes().count() > 2); // the bundled definitions
        QCOMPARE(host.messages.size(), size_t{1});
        QVERIFY(host.messages.front().starts_with("Could not read the entity list "));
    }

    void setupOkWithAnEmptyEntityFieldKeepsTheList()
    {
        QTemporaryDir dir;
        const QString qel = dir.filePath(QStringLiteral("mine.qel"));
        QVERIFY(writeFile(qel, kTwoClasses));
        test::GuiFakeHost host;
        QtDialogs dialogs;
        Preferences prefs;
        prefs.entityList = qel.toStdString();
        Editor editor(host, dialogs, prefs);
        editor.loadEntityClasses();
        QCOMPARE(editor.classes().count(), 2);
        // Were the list read again, it would now hold one class.
        QVERIFY(writeFile(qel, "ENTTYPE: test_three ( 0 0 1 ) ?\n:END\n"));

        for (const QString& blank : {QString(), QStringLiteral("   ")}) {
            const bool ok = whileModal([&] { return runSetupDialog(nullptr, editor); }, [&](QDialog& d) {
                field(d, QStringLiteral("entityList"))->setText(blank);
                field(d, QStringLiteral("vis"))->setText(QStringLiteral("/tools/vis"));
                pressOk(d);
            });
            QVERIFY(ok);
            QCOMPARE(editor.prefs().entityList, qel.toStdString());
            QCOMPARE(editor.prefs().vis, "/tools/vis");
            QCOMPARE(editor.classes().count(), 2);
        }
    }

    void setupCancelChangesNothing()
    {
        test::GuiFakeHost host;
        QtDialogs dialogs;
        Editor editor(host, dialogs);
        const QStringList before = describe(editor.prefs());
        const bool ok = whileModal([&] { return runSetupDialog(nullptr, editor); }, [](QDialog& d) {
            for (QLineEdit* edit : d.findChildren<QLineEdit*>()) edit->setText(QStringLiteral("changed"));
            standardButton(d, QDialogButtonBox::Cancel)->click();
        });
        QVERIFY(!ok);
        QCOMPARE(describe(editor.prefs()), before);
    }

    void findOffersTheFiltersAndKeepsTheFieldWhenCancelled()
    {
        Preferences prefs;
        prefs.qbsp = "/opt/q/qbsp";
        SetupDialog dialog(nullptr, prefs);
        auto* findQbsp = dialog.findChild<QPushButton*>(QStringLiteral("findqbsp"));
        QVERIFY(findQbsp);
        QCOMPARE(findQbsp->text(), QStringLiteral("Find..."));
        whileModal([&] { findQbsp->click(); return 0; }, [](QDialog& d) {
            auto* chooser = qobject_cast<QFileDialog*>(&d);
            QVERIFY(chooser);
            QCOMPARE(chooser->nameFilters(), QStringList({"Programs (*)", "Application Files (*.exe)"}));
            QCOMPARE(chooser->fileMode(), QFileDialog::ExistingFile);
            d.reject();
        });
        QCOMPARE(field(dialog, QStringLiteral("qbsp"))->text(), QStringLiteral("/opt/q/qbsp"));
    }

    void findPutsTheChosenFileIntoTheField()
    {
        QTemporaryDir dir;
        const QString qel = dir.filePath(QStringLiteral("mine.qel"));
        QVERIFY(writeFile(qel, kTwoClasses));
        SetupDialog dialog(nullptr, Preferences{});
        auto* findList = dialog.findChild<QPushButton*>(QStringLiteral("findentityList"));
        QVERIFY(findList);
        whileModal([&] { findList->click(); return 0; }, [&](QDialog& d) {
            auto* chooser = qobject_cast<QFileDialog*>(&d);
            QVERIFY(chooser);
            QCOMPARE(chooser->nameFilters(), QStringList({"Quake Entity List files (*.qel)"}));
            chooser->selectFile(qel);
            d.accept(); // through QDialog: QFileDialog hides its accept()
        });
        QCOMPARE(field(dialog, QStringLiteral("entityList"))->text(), qel);
    }

    void aboutShowsTheIconAndTheVersion()
    {
        AboutDialog about;
        QCOMPARE(about.windowTitle(), QStringLiteral("About Vorn"));
        QCOMPARE(about.findChild<QLabel*>(QStringLiteral("version"))->text(), QStringLiteral("Vorn version 1.5"));
        QVERIFY(!about.findChild<QLabel*>(QStringLiteral("icon"))->pixmap().isNull());
        QVERIFY(standardButton(about, QDialogButtonBox::Ok));
    }

    void everyIconDraws()
    {
        const QStringList names = {"new", "open", "save", "cut", "copy", "paste", "grid", "classnames", "rotate_x",
                                   "rotate_x_back", "rotate_y", "rotate_y_back", "rotate_z", "rotate_z_back",
                                   "scale_up", "scale_down", "stairs", "ramp", "clipper", "camera_off",
                                   "wireframe", "unlit_flat", "flat_shaded", "gouraud", "about", "vorn"};
        for (const QString& name : names) {
            const QIcon drawn = icon(name);
            QVERIFY2(!drawn.isNull(), qPrintable(name));
            QImage image(16, 16, QImage::Format_ARGB32);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            drawn.paint(&painter, image.rect());
            painter.end();
            int opaque = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) opaque += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
            }
            QVERIFY2(opaque > 16, qPrintable(name));
        }
        QVERIFY(icon(QStringLiteral("no_such_icon")).isNull());
    }

    void preferencesSurviveTheSettingsFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Vorn.conf"));
        Preferences written;
        written.entityList = "/home/ann/my lists/q, e1.qel";
        written.camOn = 1;
        written.camMode = 3;
        written.curTexture = "*water0";
        written.authorName = "Zoë \"the builder\"; Smith";
        written.authorEmail = "zoe=1@example.org";
        written.qbsp = "/opt/q/qbsp";
        written.vis = "/opt/q/vis";
        written.light = "/opt/q/light";
        written.quake = "@/opt/q/quake";
        written.temp = "#tmp";
        written.wad = "C:\\quake\\id1\\gfx.wad";
        written.curTargetId = 7;
        written.xyGridSize = 64;
        written.xyGridShow = 0;
        written.xyGridSnap = 0;
        written.xyDrawNames = 0;
        written.xyScalePercent = 33;
        written.xyPane = {640, 480};
        written.camPane = {320, 170};
        written.controlPane = {300, 171};
        written.zPane = {90, 479};
        written.mainWindow = {3, 10, 20, 1010, 720};
        {
            QtSettingsStore store(path);
            written.save(store);
            QVERIFY(store.sync());
        }
        QtSettingsStore fresh(path);
        Preferences read;
        read.load(fresh);
        QCOMPARE(describe(read), describe(written));

        // The sections are groups of the INI file.
        QSettings plain(path, QSettings::IniFormat);
        QCOMPARE(plain.value(QStringLiteral("preferences/author/email")).toString(), QStringLiteral("zoe=1@example.org"));
        QCOMPARE(plain.value(QStringLiteral("preferences/mainwin/show")).toInt(), 3);
        QCOMPARE(plain.value(QStringLiteral("paths/qbsp")).toString(), QStringLiteral("/opt/q/qbsp"));
        QCOMPARE(plain.value(QStringLiteral("preferences/xyscale")).toInt(), 33);
    }

    void missingOrBadValuesTakeTheirDefaults()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Vorn.conf"));
        {
            Preferences empty;
            empty.load(QtSettingsStore(path)); // no file yet
            QCOMPARE(describe(empty), describe(Preferences{}));
        }
        {
            QtSettingsStore store(path);
            store.writeInt("preferences", "camwidth", 0);
            store.writeInt("preferences", "camheight", -5);
            store.writeString("preferences", "xygridsize", "wide");
            QVERIFY(store.sync());
        }
        QtSettingsStore store(path);
        Preferences read;
        read.load(store);
        QCOMPARE(read.camPane.width, 200);
        QCOMPARE(read.camPane.height, 150);
        QCOMPARE(read.xyGridSize, 16);
    }

    void handEditedListsAndUnwritableFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Vorn.conf"));
        // An unquoted comma makes the INI reader see a list; the text must not be lost.
        QVERIFY(writeFile(path, "[paths]\nqbsp=/home/a,b/qbsp\n"));
        QCOMPARE(QtSettingsStore(path).readString("paths", "qbsp", ""), "/home/a,b/qbsp");

        // A folder cannot be created below a plain file.
        QtSettingsStore unwritable(path + QStringLiteral("/sub/Vorn.conf"));
        unwritable.writeInt("preferences", "camon", 1);
        QVERIFY(!unwritable.sync());
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
