#include <QTest>

#include "net/TimeAnswer.h"

using namespace Qt::StringLiterals;

class tst_TimeAnswer : public QObject
{
    Q_OBJECT

private slots:
    void convertsToLocalTimeAndTrustedDate_data();
    void convertsToLocalTimeAndTrustedDate();
    void rejectsWhatIsNoTimeLine_data();
    void rejectsWhatIsNoTimeLine();
};

void tst_TimeAnswer::convertsToLocalTimeAndTrustedDate_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("server");
    QTest::addColumn<float>("bOffset");
    QTest::addColumn<int>("bHourOn");
    QTest::addColumn<QTime>("localTime");
    QTest::addColumn<QDate>("date"); // null: the date is left alone

    const QDate dec8(2026, 12, 8);
    QTest::newRow("the second carries into the hour")
        << u"Tue Dec  8 12:59:59 UTC 2026"_s << 1 << 0.0f << 0 << QTime(13, 0, 0) << dec8;
    QTest::newRow("the second carries past midnight, and so does the date")
        << u"Tue Dec  8 23:59:59 UTC 2026"_s << 2 << 0.0f << 0 << QTime(0, 0, 0) << QDate(2026, 12, 9);
    QTest::newRow("east with summer time, past midnight")
        << u"Tue Dec  8 22:30:10 UTC 2026"_s << 1 << -1.0f << -1 << QTime(0, 30, 11) << QDate();
    QTest::newRow("west, the evening before")
        << u"Wed Dec  9 00:00:00 UTC 2026"_s << 1 << 5.0f << 0 << QTime(19, 0, 1) << QDate();
    QTest::newRow("west, the same day") << u"Tue Dec  8 23:59:00 GMT 2026"_s << 2 << 5.0f << 0 << QTime(18, 59, 1)
                                        << dec8;
    QTest::newRow("server 3 is trusted for the time only")
        << u"Tue Dec  8 23:59:00 UTC 2026"_s << 3 << 5.0f << 0 << QTime(18, 59, 1) << QDate();
    QTest::newRow("half-hour zone east, early morning")
        << u"Tue Dec  8 00:10:00 UTC 2026"_s << 1 << -5.5f << 0 << QTime(5, 40, 1) << QDate();
    QTest::newRow("half-hour zone east, later")
        << u"Tue Dec  8 06:00:29 UTC 2026"_s << 1 << -5.5f << 0 << QTime(11, 30, 30) << dec8;
    // As the project's time servers send it: one line with its line feed, and the date still read.
    QTest::newRow("a line feed at the end")
        << u"Tue Dec  8 23:59:59 UTC 2026\n"_s << 1 << 0.0f << 0 << QTime(0, 0, 0) << QDate(2026, 12, 9);
    QTest::newRow("CR LF at the end, a two-digit day")
        << u"Fri Dec 18 10:00:00 UTC 2026\r\n"_s << 2 << 0.0f << 0 << QTime(10, 0, 1) << QDate(2026, 12, 18);
    QTest::newRow("British summer time is taken back to Greenwich and sets no date")
        << u"Tue Jul  7 13:00:00 BST 2026"_s << 1 << 0.0f << 0 << QTime(12, 0, 1) << QDate();
    QTest::newRow("British summer time just after midnight")
        << u"Tue Jul  7 00:30:00 BST 2026"_s << 1 << 0.0f << 0 << QTime(23, 30, 1) << QDate();
}

void tst_TimeAnswer::convertsToLocalTimeAndTrustedDate()
{
    QFETCH(QString, answer);
    QFETCH(int, server);
    QFETCH(float, bOffset);
    QFETCH(int, bHourOn);
    QFETCH(QTime, localTime);
    QFETCH(QDate, date);

    const TimeAnswer read = readTimeAnswer(answer, server, bOffset, qint16(bHourOn), QLocale::c());
    QCOMPARE(read.outcome, TimeAnswer::Outcome::Accepted);
    QCOMPARE(read.timeField, answer.mid(11, 9));
    QCOMPARE(read.summerTime, answer.contains(u"BST"));
    QCOMPARE(read.localTime, localTime);
    QCOMPARE(read.date.value_or(QDate()), date);
}

void tst_TimeAnswer::rejectsWhatIsNoTimeLine_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<TimeAnswer::Outcome>("outcome");

    QTest::newRow("empty") << QString() << TimeAnswer::Outcome::NotATimeLine;
    QTest::newRow("a web page") << u"<html>404 Not Found</html>"_s << TimeAnswer::Outcome::NotATimeLine;
    QTest::newRow("lower case") << u"tue dec  8 12:00:00 utc 2026"_s << TimeAnswer::Outcome::NotATimeLine;
    QTest::newRow("no zone name") << u"Tue Dec  8 12:00:00 XYZ 2026"_s << TimeAnswer::Outcome::NotATimeLine;
    QTest::newRow("hour 25") << u"Tue Dec  8 25:00:00 UTC 2026"_s << TimeAnswer::Outcome::NotATime;
    QTest::newRow("shifted layout") << u"Tuesday Dec 8 12:00:00 UTC 2026"_s << TimeAnswer::Outcome::NotATime;
    QTest::newRow("cut short") << u"Tue UTC"_s << TimeAnswer::Outcome::NotATime;
}

void tst_TimeAnswer::rejectsWhatIsNoTimeLine()
{
    QFETCH(QString, answer);
    QFETCH(TimeAnswer::Outcome, outcome);
    QCOMPARE(readTimeAnswer(answer, 1, 0, 0, QLocale::c()).outcome, outcome);
}

QTEST_GUILESS_MAIN(tst_TimeAnswer)
#include "tst_TimeAnswer.moc"
