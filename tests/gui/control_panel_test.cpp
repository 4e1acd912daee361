#include "control_panel_widget.h"
#include "editor_actions.h"
#include "editor/editor.h"
#include "main_frame.h"
#include "modal_answers.h"
#include "platform/host.h"
#include "ui/typed_view_settings.h"
#include "fresh_app.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QtTest/QtTest>

#include <memory>

using namespace vorn;
using namespace vorn::test;

// The control panel of the real main window: its editing keys, its typed XY settings and its
// texture half on the sample map's archive.
class ControlPanelTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        app_.renew();
        app_->start(QString(VORN_RESOURCES_DIR "/maps/sample.map"));
        QVERIFY(QTest::qWaitForWindowExposed(&app_->frame()));
        QVERIFY(map().EntityCount() > 2);
    }

    // Tab, M, Escape, Delete, minus and slash act as in the XY view whichever control has the
    // focus, instead of moving the focus or searching a list.
    void theEditingKeysActFromEveryControl()
    {
        ControlPanelWidget* panel = app_->frame().controlPanel();
        const QList<QWidget*> controls{panel->findChild<QComboBox*>("xyScale")->lineEdit(),
                                       panel->findChild<QComboBox*>("xyGrid")->lineEdit(),
                                       panel->findChild<QListWidget*>("currentEntity"),
                                       panel->findChild<QCheckBox*>("xySnap")};
        for (QWidget* control : controls) {
            control->setFocus();
            QVERIFY(control->hasFocus());
            const int before = map().currentIndex();
            QTest::keyClick(control, Qt::Key_Tab);
            QCOMPARE(map().currentIndex(), before + 1);
            QVERIFY2(control->hasFocus(), "Tab moved the focus");
            QTest::keyClick(control, Qt::Key_M);
            QCOMPARE(map().currentIndex(), 0);
            QCOMPARE(control->hasFocus(), true);
        }

        QWidget* list = controls[2];
        map().selectBrush({0, 0}, true);
        QTest::keyClick(list, Qt::Key_Escape);
        QCOMPARE(map().countSelectedBrushes(), 0);
        const int brushes = map().entity(0).brushCount();
        map().selectBrush({0, 0}, true);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(map().entity(0).brushCount(), brushes - 1);
        const QString flip = messageAfter([&] { QTest::keyClick(controls[0], Qt::Key_Slash); });
        QCOMPARE(flip, QString()); // a beep and a debug line, no message: but the key was taken
        QCOMPARE(controls[0]->property("text").toString().contains('/'), false);
    }

    void typedGridAndScaleWorkAndUnusableOnesAreRefused()
    {
        ControlPanelWidget* panel = app_->frame().controlPanel();
        QLineEdit* grid = panel->findChild<QComboBox*>("xyGrid")->lineEdit();
        QLineEdit* scale = panel->findChild<QComboBox*>("xyScale")->lineEdit();
        const auto type = [](QLineEdit* field, const QString& text) {
            return messageAfter([&] {
                field->setFocus();
                field->selectAll();
                QTest::keyClicks(field, text);
                QTest::keyClick(field, Qt::Key_Return);
            });
        };

        QCOMPARE(type(grid, "24"), QString());
        QCOMPARE(app_->editor().workspace().gridSize(), 24);
        QCOMPARE(type(scale, "60"), QString());
        QCOMPARE(app_->editor().xyView().scale(), 0.6f);

        for (const char* bad : {"0", "12x", "99999"}) {
            QVERIFY(type(grid, bad).endsWith(kGridRefusal));
            QCOMPARE(grid->text(), QString("24"));
        }
        for (const char* bad : {"0", "5000", "abc"}) {
            QVERIFY(type(scale, bad).endsWith(kScaleRefusal));
            QCOMPARE(scale->text() + bad, QString("60") + bad);
        }
        QCOMPARE(app_->editor().workspace().gridSize(), 24);
        QCOMPARE(app_->editor().xyView().scale(), 0.6f);
    }

    // The list holds "*NONE*" then the archive's names; the list, "Tex Size" and the preview follow
    // the current texture whether it is chosen in the list, typed or set by the document.
    void theTextureHalfFollowsTheCurrentTexture()
    {
        auto* list = panel()->findChild<QComboBox*>("textureList");
        auto* size = panel()->findChild<QLabel*>("texSize");
        QVERIFY(list && size);
        QCOMPARE(list->itemText(0), QString("*NONE*"));
        QCOMPARE(list->count(), 1 + 37); // every texture of the sample archive
        QCOMPARE(list->findText("ceil_plank") < list->findText("Wall_Brick", Qt::MatchFixedString), true);

        // The item, "Tex Size" and the preview shown.
        const auto shows = [&](const QString& item, const QString& sizeText, QSize preview) {
            QCOMPARE(list->currentText(), item);
            QCOMPARE(size->text(), sizeText);
            QCOMPARE(previewSize(), preview);
        };
        map().SetCurrentTexture("sky_dusk");
        shows("sky_dusk", "256x128", {256, 128});
        list->textActivated("light_panel"); // as when chosen from the drop-down
        QCOMPARE(map().currentTexture(), "light_panel");
        shows("light_panel", "32x32", {32, 32});

        // Typed: letters that are editing keys elsewhere go into the field.
        QLineEdit* field = list->lineEdit();
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, "metal_rivet");
        QCOMPARE(field->text(), QString("metal_rivet"));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(map().currentTexture(), "metal_rivet");
        shows("metal_rivet", "64x64", {64, 64});

        map().SetCurrentTexture("metal_ru"); // a prefix selects the item, but is no texture; the last one found stays shown
        shows("metal_rust", "0x0", {64, 64});
        map().SetCurrentTexture("no_such_texture");
        QCOMPARE(list->currentText(), QString("*NONE*"));
        QCOMPARE(size->text(), QString("0x0"));
    }

    // "Apply Texture" puts the current texture on the selection; "Align Texture" aligns it by the
    // archive's sizes; the toolbar button opens the Texture Selector.
    void theTextureButtonsActOnTheSelection()
    {
        const CQBrush& brush = map().entity(0).brush(0);
        map().SetCurrentEntityByIndex(0);
        map().SelectAll();
        map().SetCurrentTexture("metal_gold");
        panel()->findChild<QPushButton*>("applyTexture")->click();
        for (int i = 0; i < brush.numfaces(); ++i) QCOMPARE(brush.face(i).texture.str(), std::string("metal_gold"));
        QCOMPARE(map().undoName(), "Apply Texture");

        {
            MapChange change(map(), "Shift Textures");
            CQBrush& shifted = change.editBrush({0, 0});
            for (int i = 0; i < shifted.numfaces(); ++i) shifted.face(i).shift[0] = 5;
            change.commit();
        }
        CQBrush expected = brush;
        expected.AlignTextures(app_->editor().panel().textureSizes());
        panel()->findChild<QPushButton*>("alignTexture")->click();
        bool moved = false;
        for (int i = 0; i < brush.numfaces(); ++i) {
            QCOMPARE(brush.face(i).shift[0], expected.face(i).shift[0]);
            moved = moved || brush.face(i).shift[0] != 5;
        }
        QVERIFY(moved);

        const auto title = [](QDialog& d) {
            QCOMPARE(d.windowTitle(), QString("Texture Selector"));
            d.reject();
        };
        auto* toolBar = panel()->findChild<QToolBar*>("textureToolBar");
        QCOMPARE(toolBar->actions().size(), 1);
        auto* button = qobject_cast<QToolButton*>(toolBar->widgetForAction(toolBar->actions().first()));
        QVERIFY(button);
        QCOMPARE(button->text(), QString("Select Texture"));
        whileModal([&] { button->click(); return 0; }, title);
        QCOMPARE(button->defaultAction(), app_->frame().actions()["edit.selectTexture"]); // the menu's, with Ctrl+T
        QCOMPARE(map().currentTexture(), "metal_gold");
    }

private:
    CQMap& map() { return app_->editor().map(); }
    ControlPanelWidget* panel() { return app_->frame().controlPanel(); }
    QSize previewSize() { return panel()->findChild<QLabel*>("texturePreview")->pixmap().size(); }

    FreshApp app_;
};

QTEST_MAIN(ControlPanelTest)
#include "control_panel_test.moc"
