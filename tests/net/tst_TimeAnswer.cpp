#include <QTest>

#include "net/TimeAnswer.h"

using namespace Qt::StringLiterals;

class tst_TimeAnswer : public QObject
{
    Q_OBJECT

private slots:
    void givesTheMomentOnlyWhereTheDateIsTrusted_data();
    void givesTheMomentOnlyWhereTheDateIsTrusted();
    void rejectsWhatIsNoTimeLine_data();
    void rejectsWhatIsNoTimeLine();
};

void tst_TimeAnswer::givesTheMomentOnlyWhereTheDateIsTrusted_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("server");
    QTest::addColumn<QTime>("greenwichTime");
    QTest::addColumn<QDateTime>("moment"); // invalid: the time of day alone

    const auto utc = [](int year, int month, int day, int hour, int minute, int second) {
        return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC);
    };
    QTest::newRow("the second carries into the hour")
        << u"Tue Dec  8 12:59:59 UTC 2026"_s << 1 << QTime(13, 0, 0) << utc(2026, 12, 8, 13, 0, 0);
    QTest::newRow("the second carries past midnight, and so does the date")
        << u"Tue Dec  8 23:59:59 UTC 2026"_s << 2 << QTime(0, 0, 0) << utc(2026, 12, 9, 0, 0, 0);
    QTest::newRow("server 3 is trusted for the time only")
        << u"Tue Dec  8 23:59:00 UTC 2026"_s << 3 << QTime(23, 59, 1) << QDateTime();
    QTest::newRow("a day that does not exist")
        << u"Mon Feb 30 12:00:00 UTC 2026"_s << 1 << QTime(12, 0, 1) << QDateTime();
    // As the project's time servers send it: one line with its line feed, and the date still read.
    QTest::newRow("a line feed at the end")
        << u"Tue Dec  8 23:59:59 UTC 2026\n"_s << 1 << QTime(0, 0, 0) << utc(2026, 12, 9, 0, 0, 0);
    QTest::newRow("CR LF at the end, a two-digit day")
        << u"Fri Dec 18 10:00:00 UTC 2026\r\n"_s << 2 << QTime(10, 0, 1) << utc(2026, 12, 18, 10, 0, 1);
    QTest::newRow("British summer time is taken back to Greenwich, without its date")
        << u"Tue Jul  7 13:00:00 BST 2026"_s << 1 << QTime(12, 0, 1) << QDateTime();
    QTest::newRow("British summer time just after midnight")
        << u"Tue Jul  7 00:30:00 BST 2026"_s << 1 << QTime(23, 30, 1) << QDateTime();
}

void tst_TimeAnswer::givesTheMomentOnlyWhereTheDateIsTrusted()
{
    QFETCH(QString, answer);
    QFETCH(int, server);
    QFETCH(QTime, greenwichTime);
    QFETCH(QDateTime, moment);

    const TimeAnswer read = readTimeAnswer(answer, server, QLocale::c());
    QCOMPARE(read.outcome, TimeAnswer::Outcome::Accepted);
    QCOMPARE(read.timeField, answer.mid(11, 9));
    QCOMPARE(read.summerTime, answer.contains(u"BST"));
    QCOMPARE(read.greenwichTime, greenwichTime);
    QCOMPARE(read.moment.value_or(QDateTime()), moment);
}

void tst_TimeAnswer::rejectsWhatIsNoTimeLine_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<TimeAnswer::Outcome>("outcome");

    QTest::newRow("empty") << QString() << TimeAnswer::Outcome::NotATimeLine;
    QTest::newRow("a web page") << u"<html>404 Not Found</html>"_s << TimeAnswer::Outcome::NotATimeLine;
    QTest::newRow("lower case") << u"tue dec  8 12:00:00 utc 2026"_s << TimeAnswer::Outcome::NotATimeLine;
    QTest::newRow("no zone name") << u"Tue Dec  8 12:00:00 XYZ 2026"_s << TimeAnswer::Outcome::NotATimeLine;
    QTest::newRow("the zone after the year") << u"Tue Dec  8 12:00:00 2026 UTC"_s << TimeAnswer::Outcome::UnknownZone;
    QTest::newRow("hour 25") << u"Tue Dec  8 25:00:00 UTC 2026"_s << TimeAnswer::Outcome::NotATime;
    QTest::newRow("shifted layout") << u"Tuesday Dec 8 12:00:00 UTC 2026"_s << TimeAnswer::Outcome::NotATime;
    QTest::newRow("cut short") << u"Tue UTC"_s << TimeAnswer::Outcome::NotATime;
}

void tst_TimeAnswer::rejectsWhatIsNoTimeLine()
{
    QFETCH(QString, answer);
    QFETCH(TimeAnswer::Outcome, outcome);
    QCOMPARE(readTimeAnswer(answer, 1, QLocale::c()).outcome, outcome);
}

QTEST_GUILESS_MAIN(tst_TimeAnswer)
#include "tst_TimeAnswer.moc"
