#include "main_frame.h"

#include <QSplitter>
#include <QtTest/QtTest>

using vorn::CMainFrame;

class MainFrameTest : public QObject {
    Q_OBJECT
private slots:
    void opensWithTitleAndFourPanes()
    {
        CMainFrame frame;
        frame.resize(1000, 700);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QCOMPARE(frame.windowTitle(), QStringLiteral("Vorn"));
        for (QWidget* pane : {frame.cameraPane(), frame.controlPanel(), frame.xyPane(), frame.zPane()}) {
            QVERIFY(pane->isVisible());
            QVERIFY(pane->width() > 0);
        }
        // Camera and control panel share the top row; XY and Z the bottom one.
        QCOMPARE(frame.cameraPane()->mapTo(&frame, QPoint()).y(), frame.controlPanel()->mapTo(&frame, QPoint()).y());
        QCOMPARE(frame.xyPane()->mapTo(&frame, QPoint()).y(), frame.zPane()->mapTo(&frame, QPoint()).y());
        QVERIFY(frame.xyPane()->mapTo(&frame, QPoint()).y() > frame.cameraPane()->mapTo(&frame, QPoint()).y());
        QCOMPARE(frame.outerSplitter()->sizes().first(), CMainFrame::kTopRowHeight);
    }
};

QTEST_MAIN(MainFrameTest)
#include "main_frame_test.moc"
