#include <QTest>
#include <QWidget>
#include <QWindow>

#include "platform/QtWindowOrder.h"

// The real on-top switch, on a shown window: only the layer changes, never the window itself or its place.
class tst_QtWindowOrder : public QObject
{
    Q_OBJECT

private slots:
    void switchingChangesOnlyTheLayer();
    void aWindowMadeLaterTakesTheLayer();
};

namespace {

// Counts the times the window was taken off the screen.
class HideCounter final : public QObject
{
public:
    int hides = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        hides += event->type() == QEvent::Hide ? 1 : 0;
        return false;
    }
};

} // namespace

void tst_QtWindowOrder::switchingChangesOnlyTheLayer()
{
    QWidget window;
    window.resize(300, 120);
    window.move(140, 90);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QPoint place = window.pos();
    const QWindow* native = window.windowHandle();
    HideCounter counter;
    window.installEventFilter(&counter);

    QtWindowOrder order;
    for (int round = 0; round < 5; ++round) {
        order.setTopmost(&window, true);
        QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
        order.setTopmost(&window, false);
        QVERIFY(!window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    }
    QCOMPARE(counter.hides, 0);
    QCOMPARE(window.windowHandle(), native);
    QVERIFY(window.isVisible());
    QCOMPARE(window.pos(), place);
}

void tst_QtWindowOrder::aWindowMadeLaterTakesTheLayer()
{
    QWidget window;
    QtWindowOrder order;
    order.setTopmost(&window, true);
    QVERIFY(!window.windowHandle());
    window.show();
    QVERIFY(window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
}

QTEST_MAIN(tst_QtWindowOrder)
#include "tst_QtWindowOrder.moc"
