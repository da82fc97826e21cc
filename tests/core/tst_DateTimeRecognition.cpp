#include <QTest>

#include "core/DateFormat.h"
#include "core/DateTimeRecognition.h"

using namespace Qt::Literals::StringLiterals;

class tst_DateTimeRecognition : public QObject
{
    Q_OBJECT

private slots:
    void recognises_data();
    void recognises();
    void rejects_data();
    void rejects();
    void readsWhatTheLocaleWrites_data();
    void readsWhatTheLocaleWrites();
    void readsTheSystemForms();
    void longInputStaysFast();
};

namespace {

const QDate december8(2026, 12, 8);

QLocale unitedStates()
{
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

QLocale german()
{
    return QLocale(QLocale::German, QLocale::Germany);
}

} // namespace

void tst_DateTimeRecognition::recognises_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QTime>("time");

    const QLocale c = QLocale::c();
    QTest::newRow("h:mm") << u"9:05"_s << c << QDate() << QTime(9, 5);
    QTest::newRow("hh:mm") << u"09:05"_s << c << QDate() << QTime(9, 5);
    QTest::newRow("hh:mm:ss") << u"00:03:19"_s << c << QDate() << QTime(0, 3, 19);
    QTest::newRow("blanks around") << u"  23:59:59 "_s << c << QDate() << QTime(23, 59, 59);
    QTest::newRow("single digits") << u"1:2:3"_s << c << QDate() << QTime(1, 2, 3);
    QTest::newRow("pm") << u"5:44pm"_s << c << QDate() << QTime(17, 44);
    QTest::newRow("PM after blank") << u"5:44 PM"_s << c << QDate() << QTime(17, 44);
    QTest::newRow("midnight") << u"12:10am"_s << c << QDate() << QTime(0, 10);
    QTest::newRow("noon") << u"12:00:01 Pm"_s << c << QDate() << QTime(12, 0, 1);
    QTest::newRow("abbreviated month") << u"Dec  8 2026"_s << c << december8 << QTime();
    QTest::newRow("two-digit day") << u"Dec 08 2026"_s << c << december8 << QTime();
    QTest::newRow("full month, comma") << u"December 8, 2026"_s << c << december8 << QTime();
    QTest::newRow("comma, no blank") << u"DECEMBER 8,2026"_s << c << december8 << QTime();
    QTest::newRow("leap day") << u"Feb 29 2028"_s << c << QDate(2028, 2, 29) << QTime();
    QTest::newRow("ISO") << u"2026-12-08"_s << c << december8 << QTime();
    QTest::newRow("date and time") << u"Dec  8 2026 00:03:19"_s << c << december8 << QTime(0, 3, 19);
    QTest::newRow("ISO and pm") << u"2026-12-08  5:44 pm"_s << c << december8 << QTime(17, 44);
    QTest::newRow("en_US short time") << u"3:04 PM"_s << unitedStates() << QDate() << QTime(15, 4);
    QTest::newRow("en_GB short date") << u"08/12/2026"_s << QLocale(QLocale::English, QLocale::UnitedKingdom)
                                      << december8 << QTime();
    QTest::newRow("de long date") << u"Dienstag, 8. Dezember 2026"_s << german() << december8 << QTime();
    QTest::newRow("de date and short time")
        << u"Dienstag, 8. Dezember 2026 15:04"_s << german() << december8 << QTime(15, 4);
}

void tst_DateTimeRecognition::recognises()
{
    QFETCH(QString, text);
    QFETCH(QLocale, locale);
    QFETCH(QDate, date);
    QFETCH(QTime, time);
    const std::optional<RecognizedDateTime> recognized = recognizeDateTime(text, locale);
    QVERIFY(recognized);
    QCOMPARE(recognized->date.value_or(QDate()), date);
    QCOMPARE(recognized->time.value_or(QTime()), time);
    QVERIFY(isDateOrTime(text, locale));
}

void tst_DateTimeRecognition::rejects_data()
{
    QTest::addColumn<QString>("text");
    for (const QString& text :
         {u""_s,           u"   "_s,        u"25:00"_s,       u"24:00"_s,      u"12:60"_s,
          u"12:00:61"_s,   u"123:00"_s,     u"12:"_s,         u":30"_s,        u"12:00x"_s,
          u"x12:00"_s,     u"13:00 PM"_s,   u"0:30 AM"_s,     u"abc"_s,        u"Feb 30 2026"_s,
          u"Dec 2026"_s,   u"Dex 8 2026"_s, u"Dec 8 20261"_s, u"2026-13-01"_s, u"2026-12-08 25:00"_s,
          u"12:00 12:00"_s}) {
        QTest::newRow(qUtf8Printable(text)) << text;
    }
}

// Every locale's parser gets a say, so each text is tried with locales of different forms.
void tst_DateTimeRecognition::rejects()
{
    QFETCH(QString, text);
    for (const QLocale& locale : {QLocale::c(), unitedStates(), german()}) {
        QVERIFY2(!recognizeDateTime(text, locale), qUtf8Printable(locale.name()));
    }
}

void tst_DateTimeRecognition::readsWhatTheLocaleWrites_data()
{
    QTest::addColumn<QLocale>("locale");
    // Among them locales whose morning and afternoon markers differ in length.
    const QList<QLocale> locales{unitedStates(),
                                 german(),
                                 QLocale(QLocale::Ewe, QLocale::Ghana),
                                 QLocale(QLocale::Albanian, QLocale::Albania),
                                 QLocale(QLocale::Arabic, QLocale::Egypt),
                                 QLocale(QLocale::Catalan, QLocale::Spain),
                                 QLocale(QLocale::Chinese, QLocale::HongKong),
                                 QLocale(QLocale::Finnish, QLocale::Finland),
                                 QLocale(QLocale::French, QLocale::Canada),
                                 QLocale(QLocale::Japanese, QLocale::Japan),
                                 QLocale(QLocale::Korean, QLocale::SouthKorea)};
    for (const QLocale& locale : locales) {
        QTest::newRow(qUtf8Printable(locale.name())) << locale;
    }
}

void tst_DateTimeRecognition::readsWhatTheLocaleWrites()
{
    QFETCH(QLocale, locale);
    const QString dateText = locale.toString(december8, QLocale::LongFormat);
    const std::optional<RecognizedDateTime> dateOnly = recognizeDateTime(dateText, locale);
    QVERIFY2(dateOnly && dateOnly->date == december8, qUtf8Printable(dateText));

    for (const QTime& time : {QTime(9, 8, 7), QTime(15, 4, 5)}) {
        const QString timeText = locale.toString(time, timeFormatWithoutZone(locale));
        const std::optional<RecognizedDateTime> timeOnly = recognizeDateTime(timeText, locale);
        QVERIFY2(timeOnly && timeOnly->time == time, qUtf8Printable(timeText));
        const QString both = dateText + u' ' + timeText;
        const std::optional<RecognizedDateTime> dateAndTime = recognizeDateTime(both, locale);
        QVERIFY2(dateAndTime && dateAndTime->date == december8 && dateAndTime->time == time, qUtf8Printable(both));
    }
}

void tst_DateTimeRecognition::readsTheSystemForms()
{
    const QTime time(23, 58, 7);
    const std::optional<RecognizedDateTime> timeText = recognizeDateTime(systemTimeText(time));
    QVERIFY(timeText && timeText->time == time);
    const std::optional<RecognizedDateTime> dateText = recognizeDateTime(systemShortDate(december8));
    QVERIFY(dateText && dateText->date == december8);
}

// Fuzzed input must not hang: a quadratic split of these texts would run into the time limit.
void tst_DateTimeRecognition::longInputStaysFast()
{
    const QString blanks(1000000, u' ');
    QVERIFY(isDateOrTime(QString(blanks + u"12:00" + blanks)));
    QVERIFY(isDateOrTime(QString(u"Dec" + blanks + u"8" + blanks + u"2026")));
    QVERIFY(!isDateOrTime(QString(1000000, u'1')));
    QVERIFY(!isDateOrTime(QString(u"a "_s).repeated(500000)));
    QVERIFY(!isDateOrTime(QString(u"1:"_s).repeated(500000)));
    QVERIFY(!isDateOrTime(QString(u"Dec 8 2026 " + QString(u"1 "_s).repeated(500000) + u"12:00")));
}

QTEST_APPLESS_MAIN(tst_DateTimeRecognition)
#include "tst_DateTimeRecognition.moc"
