// The progress bar at 0 of 0 (after a second download) must stand still: the
// style's animated "busy" bar would repaint it for as long as the program runs.

#include "platform/progress_bar.h"

#include <QEvent>
#include <QTest>

namespace {

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

class ProgressBarTest : public QObject {
    Q_OBJECT
private slots:
    void emptyRangeIsStill() {
        ssq::platform::ProgressBar bar;
        bar.resize(637, 16);
        bar.setMaximum(0);
        bar.setValue(0);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QTest::qWait(100);
        PaintCounter counter;
        bar.installEventFilter(&counter);
        QTest::qWait(500);
        QCOMPARE(counter.paints, 0);
        QCOMPARE(bar.maximum(), 0);
        QCOMPARE(bar.value(), 0);

        // A real range still paints its progress.
        bar.setMaximum(3);
        bar.setValue(2);
        QTRY_VERIFY(counter.paints > 0);
    }
};

QTEST_MAIN(ProgressBarTest)
#include "progress_bar_test.moc"
