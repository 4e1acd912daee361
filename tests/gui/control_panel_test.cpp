#include "control_panel_widget.h"
#include "editor/editor.h"
#include "main_frame.h"
#include "modal_answers.h"
#include "platform/host.h"
#include "ui/typed_view_settings.h"
#include "vorn_application.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest/QtTest>

#include <memory>

using namespace vorn;
using namespace vorn::test;

// The control panel of the real main window: its editing keys and its typed XY settings.
class ControlPanelTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        app_.reset();
        settingsDir_ = std::make_unique<QTemporaryDir>();
        app_ = std::make_unique<VornApplication>(settingsDir_->filePath("Vorn.conf"));
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
        map().entity(0).brushes()[0].SetSelected(true);
        QTest::keyClick(list, Qt::Key_Escape);
        QCOMPARE(map().entity(0).selectedCount(), 0);
        const int brushes = map().entity(0).brushCount();
        map().entity(0).brushes()[0].SetSelected(true);
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
        QCOMPARE(app_->editor().xyView().gridSize(), 24);
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
        QCOMPARE(app_->editor().xyView().gridSize(), 24);
        QCOMPARE(app_->editor().xyView().scale(), 0.6f);
    }

private:
    CQMap& map() { return app_->editor().map(); }

    std::unique_ptr<QTemporaryDir> settingsDir_;
    std::unique_ptr<VornApplication> app_;
};

QTEST_MAIN(ControlPanelTest)
#include "control_panel_test.moc"
