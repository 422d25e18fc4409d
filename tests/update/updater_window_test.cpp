// The updater's window: "取消" and closing the window ask to stop while the
// download runs, and do nothing once the files are being written.

#include "updater/updater_window.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using ssq::updater::UpdaterWindow;

class UpdaterWindowTest : public QObject {
    Q_OBJECT
private slots:
    void cancelAndCloseAskToStop();
};

void UpdaterWindowTest::cancelAndCloseAskToStop() {
    UpdaterWindow window(QStringLiteral("标题"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* cancel = window.findChild<QPushButton*>(QStringLiteral("cancel"));
    QVERIFY(cancel);
    QCOMPARE(cancel->text(), QStringLiteral("取消"));
    QSignalSpy asked(&window, &UpdaterWindow::cancelRequested);

    QTest::mouseClick(cancel, Qt::LeftButton);
    QCOMPARE(asked.count(), 1);
    // Closing asks too; the window stays until the updater has restarted the program.
    window.close();
    QCOMPARE(asked.count(), 2);
    QVERIFY(window.isVisible());

    window.setCancellable(false);
    QVERIFY(!cancel->isEnabled());
    QTest::mouseClick(cancel, Qt::LeftButton);
    window.close();
    QCOMPARE(asked.count(), 2);
    QVERIFY(window.isVisible());
}

QTEST_MAIN(UpdaterWindowTest)
#include "updater_window_test.moc"
