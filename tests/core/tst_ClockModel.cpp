#include <QTest>

#include "core/ClockModel.h"
#include "core/Module1.h"
#include "support/FakeServices.h"
#include "support/RecordingClockView.h"

using namespace Qt::StringLiterals;

class tst_ClockModel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void readoutsOfEveryClock();
    void firstTickDrawsEverything();
    void sameMinuteOnlyMovesTheSecondHand();
    void minuteChangeClearsAndRedraws();
    void appliedClockIsRedrawnAlone();
    void appliedGmtClockRedrawsEveryClockSetFromIt();
    void colourChangeHidesSecondHandsUntilTheFullMinute();
    void facesStartAfreshWhenTheirDrawingIsLost_data();
    void facesStartAfreshWhenTheirDrawingIsLost();

private:
    void tickAt(int hour, int minute, int second);

    FakeServices m_fakes;
    std::unique_ptr<Module1> m_module;
    std::unique_ptr<RecordingClockView> m_view;
    std::unique_ptr<ClockModel> m_model;
};

void tst_ClockModel::init()
{
    m_module = std::make_unique<Module1>(m_fakes.services(), u"/nowhere"_s);
    m_view = std::make_unique<RecordingClockView>(m_fakes.clock);
    m_model = std::make_unique<ClockModel>(*m_module, *m_view);
    m_model->LastMin = -1;
}

void tst_ClockModel::tickAt(int hour, int minute, int second)
{
    m_fakes.clock.setNow(QDateTime(QDate(2026, 12, 8), QTime(hour, minute, second)));
    m_view->calls.clear();
    m_model->DoTick();
}

void tst_ClockModel::readoutsOfEveryClock()
{
    m_module->BOffset = -1; // the user lives at GMT+1
    m_module->COffset = 5.5f;
    m_module->DOffset = -5;
    m_module->DHourOn = 1;
    m_module->EOffset = 12;
    m_module->FOffset = -11;
    m_module->GOffset = 1;
    tickAt(0, 30, 0);
    const QStringList times(std::begin(m_view->times) + 1, std::end(m_view->times));
    const QStringList days(std::begin(m_view->days) + 1, std::end(m_view->days));
    QCOMPARE(times, (QStringList{u"00:30"_s, u"23:30"_s, u"05:00"_s, u"19:30"_s, u"11:30"_s, u"12:30"_s, u"00:30"_s}));
    // 8 December 2026 is a Tuesday.
    QCOMPARE(days, (QStringList{u"Tue"_s, u"Mon"_s, u"Tue"_s, u"Mon"_s, u"Tue"_s, u"Mon"_s, u"Tue"_s}));
}

void tst_ClockModel::firstTickDrawsEverything()
{
    tickAt(3, 0, 15);
    QCOMPARE(m_view->calls.first(), u"clear"_s);
    QCOMPARE(m_view->count(u"hand"_s), 14);
    // At 03:00 every clock (all at offset 0) has its hour hand pointing right and its minute hand up.
    QVERIFY(m_view->calls.contains(u"hand 1 8,0"_s));
    QVERIFY(m_view->calls.contains(u"hand 7 0,13"_s));
    QVERIFY(m_view->calls.contains(u"calendar"_s));
    // Nothing to remove yet: one second hand, pointing right at second 15.
    QCOMPARE(m_view->calls.last(), u"sec 13,0"_s);
    QCOMPARE(m_view->count(u"sec"_s), 1);
    QCOMPARE(m_model->LastMin, qint16(0));
    QCOMPARE(m_model->LastHour, qint16(3));
}

void tst_ClockModel::sameMinuteOnlyMovesTheSecondHand()
{
    tickAt(3, 0, 15);
    tickAt(3, 0, 16);
    // Removed at 15 seconds, drawn at 16: round(sin(16 * 3.1416 / 30) * 13), round(cos(...) * 13).
    QCOMPARE(m_view->calls, (QStringList{u"sec 13,0"_s, u"sec 13,-1"_s}));
    tickAt(3, 0, 16);
    QCOMPARE(m_view->calls, (QStringList{u"sec 13,-1"_s, u"sec 13,-1"_s}));
}

void tst_ClockModel::minuteChangeClearsAndRedraws()
{
    tickAt(3, 0, 59);
    tickAt(3, 1, 0);
    QCOMPARE(m_view->calls.first(), u"clear"_s);
    QCOMPARE(m_view->count(u"hand"_s), 14);
    // The faces were cleared, so the old second hand is not inverted back.
    QCOMPARE(m_view->count(u"sec"_s), 1);
    QCOMPARE(m_view->calls.last(), u"sec 0,13"_s);
}

void tst_ClockModel::appliedClockIsRedrawnAlone()
{
    m_module->DOffset = 2;
    tickAt(3, 0, 15);
    m_module->Redraw = RedrawRequest::ClockApplied;
    m_module->SetClock = u"D"_s;
    tickAt(3, 0, 16);
    // Slots up to D get their hands again; D's face is cleared and keeps the second hand in step with the
    // others; the tick then ends without moving the second hand.
    QCOMPARE(m_view->count(u"hand"_s), 8);
    QCOMPARE(m_view->calls.mid(m_view->calls.indexOf(u"clear 4"_s), 2), (QStringList{u"clear 4"_s, u"sec 4 13,0"_s}));
    QVERIFY(m_view->calls.contains(u"hand 4 4,-7"_s)); // 05:00 on clock D
    QCOMPARE(m_view->count(u"sec "_s), 1);
    QCOMPARE(m_module->Redraw, RedrawRequest::None);

    // The tick stopped at D, whose hour differs from local: the next tick redraws all faces.
    tickAt(3, 0, 17);
    QCOMPARE(m_view->calls.first(), u"clear"_s);
    QCOMPARE(m_view->count(u"hand"_s), 14);
}

void tst_ClockModel::appliedGmtClockRedrawsEveryClockSetFromIt()
{
    m_module->BOffset = -1;
    m_module->DOffset = 2;
    tickAt(3, 0, 15);
    // The user now states GMT itself as their zone: GMT, and with it every set clock, moves an hour.
    m_module->BOffset = 0;
    m_module->Redraw = RedrawRequest::ClockApplied;
    m_module->SetClock = u"B"_s;
    tickAt(3, 0, 16);
    for (int slot = 2; slot <= 7; ++slot) {
        const QString cleared = u"clear %1"_s.arg(slot);
        QCOMPARE(m_view->calls.mid(m_view->calls.indexOf(cleared), 2),
                 (QStringList{cleared, u"sec %1 13,0"_s.arg(slot)}));
    }
    QVERIFY(!m_view->calls.contains(u"clear 1"_s));
    QVERIFY(m_view->calls.contains(u"hand 2 8,0"_s));  // GMT 03:00 now, as local
    QVERIFY(m_view->calls.contains(u"hand 4 4,-7"_s)); // 05:00 on clock D
    QCOMPARE(m_view->count(u"hand"_s), 14);
    QCOMPARE(m_module->Redraw, RedrawRequest::None);
    // The next tick only moves the second hand on, in step on every face.
    tickAt(3, 0, 17);
    QCOMPARE(m_view->calls, (QStringList{u"sec 13,0"_s, u"sec 13,-3"_s}));
}

void tst_ClockModel::colourChangeHidesSecondHandsUntilTheFullMinute()
{
    tickAt(3, 0, 15);
    m_module->Redraw = RedrawRequest::ColoursChanged;
    tickAt(3, 0, 16);
    QCOMPARE(m_view->count(u"hand"_s), 14);
    QCOMPARE(m_view->count(u"sec"_s), 0);
    QCOMPARE(m_module->Redraw, RedrawRequest::ColoursChanged);
    tickAt(3, 0, 59);
    QCOMPARE(m_view->count(u"sec"_s), 0);
    tickAt(3, 1, 0);
    QCOMPARE(m_view->calls.last(), u"sec 0,13"_s);
    QCOMPARE(m_module->Redraw, RedrawRequest::None);
}

void tst_ClockModel::facesStartAfreshWhenTheirDrawingIsLost_data()
{
    QTest::addColumn<bool>("whiteCorner");
    QTest::addColumn<bool>("refitted");
    QTest::newRow("white corner") << true << false;
    // Faces fitted to a new size or resolution: inverting the old second hand would leave a stray line.
    QTest::newRow("faces refitted") << false << true;
}

void tst_ClockModel::facesStartAfreshWhenTheirDrawingIsLost()
{
    QFETCH(bool, whiteCorner);
    QFETCH(bool, refitted);
    tickAt(3, 0, 15);
    m_view->white = whiteCorner;
    m_view->rescaled = refitted;
    tickAt(3, 0, 16);
    QCOMPARE(m_view->calls.first(), u"clear"_s);
    QCOMPARE(m_view->count(u"hand"_s), 14);
    QCOMPARE(m_view->count(u"sec"_s), 1);
}

QTEST_APPLESS_MAIN(tst_ClockModel)
#include "tst_ClockModel.moc"
