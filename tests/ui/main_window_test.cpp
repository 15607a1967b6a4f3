#include "game_context.h"
#include "main_window.h"
#include "qt_host.h"
#include "table_view.h"

#include <QImage>
#include <QtTest/QtTest>

namespace quendra {

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void opensTitledWithThePlainTable() {
        QtHost host;
        GameContext ctx(host);
        MainWindow window(ctx);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("Quendra 2000"));
        QVERIFY(window.table() != nullptr);
        const QImage image = window.table()->grab().toImage();
        QVERIFY(!image.isNull());
        const QColor expected(0, 128, 0);
        QCOMPARE(image.pixelColor(image.width() / 2, image.height() / 2), expected);
        QCOMPARE(image.pixelColor(1, 1), expected);
    }

    void storedColoursAreBlueGreenRedFromTheHighByte() {
        QCOMPARE(ColourFromStored(0x0000FF), QColor(255, 0, 0));
        QCOMPARE(ColourFromStored(0xFF0000), QColor(0, 0, 255));
        // A system colour (negative) falls back to the table green.
        QCOMPARE(ColourFromStored(-2147483633), QColor(0, 128, 0));
    }
};

} // namespace quendra

QTEST_MAIN(quendra::MainWindowTest)
#include "main_window_test.moc"
