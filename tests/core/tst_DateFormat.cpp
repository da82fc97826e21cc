#include <QDateTime>
#include <QLocale>
#include <QTest>

#include <limits>

#include "core/DateFormat.h"

using namespace Qt::Literals::StringLiterals;

class tst_DateFormat : public QObject
{
    Q_OBJECT

private slots:
    void formats_data();
    void formats();
    void namesAreEnglishWhateverTheLocale();
    void invalidDateTimeGivesNothing();
    void twoDigits_data();
    void twoDigits();
    void localeTimeLeavesTheZoneOut_data();
    void localeTimeLeavesTheZoneOut();
};

namespace {

QDateTime at(int hour, int minute, int second = 0)
{
    return QDateTime(QDate(2026, 12, 8), QTime(hour, minute, second));
}

} // namespace

void tst_DateFormat::formats_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QString>("expected");

    QTest::newRow("hh:mm") << u"hh:mm"_s << at(9, 5) << u"09:05"_s;
    QTest::newRow("HH:MM") << u"HH:MM"_s << at(9, 5) << u"09:05"_s;
    QTest::newRow("hh:mm:ss") << u"hh:mm:ss"_s << at(0, 3, 19) << u"00:03:19"_s;
    QTest::newRow("HH:MM:SS") << u"HH:MM:SS"_s << at(23, 59, 9) << u"23:59:09"_s;
    QTest::newRow("h unpadded") << u"h:nn"_s << at(9, 5) << u"9:05"_s;
    QTest::newRow("pm") << u"HH:MMam/pm"_s << at(17, 44) << u"05:44pm"_s;
    QTest::newRow("midnight") << u"HH:MMam/pm"_s << at(0, 10) << u"12:10am"_s;
    QTest::newRow("noon") << u"HH:MMam/pm"_s << at(12, 0) << u"12:00pm"_s;
    QTest::newRow("AM/PM upper") << u"hh:mmAM/PM"_s << at(9, 5) << u"09:05AM"_s;
    QTest::newRow("A/P before the hour") << u"A/P h"_s << at(13, 0) << u"P 1"_s;
    QTest::newRow("ddd") << u"ddd"_s << at(0, 0) << u"Tue"_s;
    QTest::newRow("d") << u"d"_s << at(0, 0) << u"8"_s;
    QTest::newRow("long date") << u"dddd mmmm dd yyyy"_s << at(0, 0) << u"Tuesday December 08 2026"_s;
    QTest::newRow("time and date") << u"hh:mm:ss dddd, mmmm dd yyyy"_s << at(0, 3, 19)
                                   << u"00:03:19 Tuesday, December 08 2026"_s;
    QTest::newRow("short month") << u"dddd dd mmm yyyy"_s << at(0, 0) << u"Tuesday 08 Dec 2026"_s;
    QTest::newRow("MMMM YYYY") << u"MMMM YYYY"_s << at(0, 0) << u"December 2026"_s;
    QTest::newRow("mmmm yyyy") << u"mmmm yyyy"_s << at(0, 0) << u"December 2026"_s;
    QTest::newRow("dddd dd yyyy") << u"dddd dd yyyy"_s << at(0, 0) << u"Tuesday 08 2026"_s;
    QTest::newRow("dddd mmmm dd") << u"dddd mmmm dd"_s << at(0, 0) << u"Tuesday December 08"_s;
    QTest::newRow("other names") << u"dddd ddd mmmm mmm"_s << QDateTime(QDate(2026, 1, 4), QTime(0, 0))
                                 << u"Sunday Sun January Jan"_s;
    QTest::newRow("m as month") << u"m/d/yy"_s << QDateTime(QDate(2005, 3, 5), QTime(9, 7)) << u"3/5/05"_s;
    QTest::newRow("mm before seconds") << u"mm:ss"_s << at(0, 3, 19) << u"03:19"_s;
    QTest::newRow("m after the hour") << u"h m"_s << at(9, 5) << u"9 5"_s;
    QTest::newRow("mm after a day") << u"hh dd mm"_s << at(9, 5) << u"09 08 12"_s;
}

void tst_DateFormat::formats()
{
    QFETCH(QString, pattern);
    QFETCH(QDateTime, when);
    QFETCH(QString, expected);
    QCOMPARE(formatDate(when, pattern), expected);
}

void tst_DateFormat::namesAreEnglishWhateverTheLocale()
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString text = formatDate(at(0, 0), u"dddd ddd mmmm mmm");
    QLocale::setDefault(previous);
    QCOMPARE(text, u"Tuesday Tue December Dec"_s);
}

void tst_DateFormat::invalidDateTimeGivesNothing()
{
    QCOMPARE(formatDate(QDateTime(), u"dddd hh:mm"), QString());
}

void tst_DateFormat::twoDigits_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("0") << 0 << u"00"_s;
    QTest::newRow("5") << 5 << u"05"_s;
    QTest::newRow("12") << 12 << u"12"_s;
    QTest::newRow("123") << 123 << u"123"_s;
    QTest::newRow("-5") << -5 << u"-05"_s;
    QTest::newRow("lowest") << std::numeric_limits<int>::min() << u"-2147483648"_s;
}

void tst_DateFormat::twoDigits()
{
    QFETCH(int, value);
    QFETCH(QString, expected);
    QCOMPARE(::twoDigits(value), expected);
}

void tst_DateFormat::localeTimeLeavesTheZoneOut_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("expected");
    QTest::newRow("C") << QLocale::c() << u"15:04:05"_s;
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << u"3:04:05 PM"_s;
    QTest::newRow("sq_AL, comma") << QLocale(QLocale::Albanian, QLocale::Albania) << u"3:04:05 E PASDITES"_s;
    QTest::newRow("ca_ES, brackets") << QLocale(QLocale::Catalan, QLocale::Spain) << u"15:04:05"_s;
    QTest::newRow("zh_HK, zone first") << QLocale(QLocale::Chinese, QLocale::HongKong) << u"下午3:04:05"_s;
    QTest::newRow("fr_CA, quoted letters") << QLocale(QLocale::French, QLocale::Canada) << u"15 h 04 min 05 s"_s;
}

void tst_DateFormat::localeTimeLeavesTheZoneOut()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, expected);
    QCOMPARE(locale.toString(QTime(15, 4, 5), timeFormatWithoutZone(locale)), expected);
}

QTEST_APPLESS_MAIN(tst_DateFormat)
#include "tst_DateFormat.moc"
