#include <QLabel>
#include <QTest>

#include <cmath>

#include "core/ClockModel.h"
#include "support/MainWindowRig.h"
#include "ui/main/ClockFace.h"
#include "ui/main/FacePicture.h"

using namespace Qt::StringLiterals;

namespace {

QImage handsOnly(const ClockFace& shown, std::initializer_list<QPoint> hands)
{
    ClockFace reference;
    reference.resize(shown.size());
    reference.setBackColor(shown.backColor());
    reference.setPicture(shown.picture());
    for (const QPoint& end : hands) {
        reference.drawHand(end.x(), end.y());
    }
    return reference.image();
}

QPoint handEnd(double angle, int length)
{
    return QPoint(int(std::lround(std::sin(angle) * length)), int(std::lround(std::cos(angle) * length)));
}

} // namespace

class tst_ClockFace : public QObject
{
    Q_OBJECT

private slots:
    void secondHandDrawnTwiceLeavesNoTrace();
    void handsAreBlackAndClearingRestoresThePicture();
    void backgroundShowsAroundTheDial();
    void windowFacesFollowTheRepaintProtocol();
};

void tst_ClockFace::secondHandDrawnTwiceLeavesNoTrace()
{
    ClockFace face;
    face.resize(61, 59);
    face.setPicture(renderFacePicture(face.size(), false));
    face.drawHand(8, 0);
    const QImage before = face.image();
    for (int second = 0; second < 60; ++second) {
        const QPoint end = handEnd(second * 3.1416 / 30, 13);
        face.drawSecHand(end.x(), end.y());
        QVERIFY2(face.image() != before, qPrintable(u"second %1 drew nothing"_s.arg(second)));
        face.drawSecHand(end.x(), end.y());
        QVERIFY2(face.image() == before, qPrintable(u"second %1 left a trace"_s.arg(second)));
    }
}

void tst_ClockFace::handsAreBlackAndClearingRestoresThePicture()
{
    ClockFace face;
    face.resize(61, 59);
    face.setBackColor(Qt::black);
    face.setPicture(renderFacePicture(face.size(), false));
    const QImage clean = face.image();
    face.drawHand(0, 13);
    QCOMPARE(face.image().pixelColor(face.toPixel(0, 10)), QColor(Qt::black));
    QVERIFY(face.image() != clean);
    face.clear();
    QCOMPARE(face.image(), clean);
}

void tst_ClockFace::backgroundShowsAroundTheDial()
{
    ClockFace face;
    face.resize(61, 59);
    face.setPicture(renderFacePicture(face.size(), false));
    face.setBackColor(QColor(0, 0, 0));
    QCOMPARE(face.image().pixelColor(0, 0), QColor(0, 0, 0));
    face.drawHand(0, 13);
    face.setBackColor(QColor(212, 208, 200));
    QCOMPARE(face.image().pixelColor(0, 0), QColor(212, 208, 200));
    // A new background lays the picture afresh: the hand is gone, the dial is there.
    QVERIFY(face.image().pixelColor(face.toPixel(0, 10)) != QColor(Qt::black));
    QVERIFY(face.image().pixelColor(face.toPixel(0, 10)) != QColor(212, 208, 200));
}

void tst_ClockFace::windowFacesFollowTheRepaintProtocol()
{
    MainWindowRig rig(nullptr, QDateTime(QDate(2026, 12, 8), QTime(9, 0, 20)));
    huxofrm& window = *rig.window;
    Module1& module = *rig.module;
    FakeClock& clock = rig.fakes.clock;
    ClockFace* face = window.face(3);
    const QImage handsAt0900 = handsOnly(*face, {QPoint(-8, 0), QPoint(0, 13)});

    // After a colour change the faces carry their hands but no second hand until the next full minute.
    window.ColChg();
    module.Redraw = RedrawRequest::ColoursChanged;
    clock.advanceSeconds(1);
    window.clockModel().DoTick();
    QCOMPARE(face->image(), handsAt0900);
    clock.setNow(QDateTime(QDate(2026, 12, 8), QTime(9, 0, 59)));
    window.clockModel().DoTick();
    QCOMPARE(face->image(), handsAt0900);

    clock.setNow(QDateTime(QDate(2026, 12, 8), QTime(9, 1, 0)));
    window.clockModel().DoTick();
    QCOMPARE(module.Redraw, RedrawRequest::None);
    ClockFace expected;
    expected.resize(face->size());
    expected.setBackColor(face->backColor());
    expected.setPicture(face->picture());
    const QPoint hourEnd = handEnd((9 + 1 / 60.0) * 3.1416 / 6, 8);
    const QPoint minuteEnd = handEnd(1 * 3.1416 / 30, 13);
    expected.drawHand(hourEnd.x(), hourEnd.y());
    expected.drawHand(minuteEnd.x(), minuteEnd.y());
    expected.drawSecHand(0, 13);
    QCOMPARE(face->image(), expected.image());
    QCOMPARE(control<QLabel>(window, "LocTime")->text(), u"09:01"_s);
}

QTEST_MAIN(tst_ClockFace)
#include "tst_ClockFace.moc"
