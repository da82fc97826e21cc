#include <QTest>

#include <limits>

#include "core/NumberText.h"

using namespace Qt::Literals::StringLiterals;

class tst_NumberText : public QObject
{
    Q_OBJECT

private slots:
    void numberToText_data();
    void numberToText();
    void integerToText();
    void leadingNumber_data();
    void leadingNumber();
};

void tst_NumberText::numberToText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("1") << 1.0 << u" 1"_s;
    QTest::newRow("-3") << -3.0 << u"-3"_s;
    QTest::newRow("2.5") << 2.5 << u" 2.5"_s;
    QTest::newRow("-2.25") << -2.25 << u"-2.25"_s;
    QTest::newRow("0") << 0.0 << u" 0"_s;
    QTest::newRow("negative zero") << -0.0 << u" 0"_s;
    QTest::newRow("single 0.1") << double(0.1f) << u" 0.1"_s;
    QTest::newRow("seven digits") << 123456.75 << u" 123456.8"_s;
    QTest::newRow("largest in full") << 999999999999999.0 << u" 999999999999999"_s;
    QTest::newRow("large") << 1e20 << u" 1E+20"_s;
    QTest::newRow("small") << -1e-7 << u"-1E-07"_s;
}

void tst_NumberText::numberToText()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(::numberToText(value), expected);
}

void tst_NumberText::integerToText()
{
    QCOMPARE(::numberToText(3), u" 3"_s);
    QCOMPARE(::numberToText(-1), u"-1"_s);
    QCOMPARE(::numberToText(std::numeric_limits<int>::min()), u"-2147483648"_s);
}

void tst_NumberText::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("digits then letters") << u"  12abc"_s << 12.0;
    QTest::newRow("blanks inside") << u"1 2 3"_s << 123.0;
    QTest::newRow("tab and line feed") << u"\t-\n4"_s << -4.0;
    QTest::newRow("exponent") << u"-3.5e2x"_s << -350.0;
    QTest::newRow("D exponent") << u"2D3"_s << 2000.0;
    QTest::newRow("negative exponent") << u"25E-1"_s << 2.5;
    QTest::newRow("exponent without digits") << u"1E+"_s << 1.0;
    QTest::newRow("plus") << u"+7"_s << 7.0;
    QTest::newRow("letters") << u"abc"_s << 0.0;
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("sign only") << u"-"_s << 0.0;
    QTest::newRow("point first") << u".5"_s << 0.5;
    QTest::newRow("second point stops") << u"1.2.3"_s << 1.2;
    QTest::newRow("schedule hours") << u"05:45"_s << 5.0;
    QTest::newRow("hexadecimal") << u"&HFF"_s << 255.0;
    QTest::newRow("hexadecimal, lower case") << u"&h1fz"_s << 31.0;
    QTest::newRow("octal") << u"&O17"_s << 15.0;
    QTest::newRow("octal stops at 8") << u"&O18"_s << 1.0;
    QTest::newRow("ampersand alone") << u"&12"_s << 0.0;
    QTest::newRow("many digits") << u"1234567890123456789012345678901234567890123"_s << 1.234567890123456789e42;
    QTest::newRow("long integer part") << (u'1' + QString(300, u'0')) << 1e300;
    QTest::newRow("long fraction") << (u"0."_s + QString(299, u'0') + u'1') << 1e-300;
    QTest::newRow("underflow") << u"1e-99999"_s << 0.0;

    const double infinity = std::numeric_limits<double>::infinity();
    QTest::newRow("overflow") << u"1e99999"_s << infinity;
    QTest::newRow("negative overflow") << u"-1e99999"_s << -infinity;
    QTest::newRow("exponent beyond 64 bits") << u"1e999999999999999999999"_s << infinity;
    QTest::newRow("a million digits") << QString(1000000, u'9') << infinity;
    QTest::newRow("long hexadecimal") << (u"&H"_s + QString(1000, u'F')) << infinity;
}

void tst_NumberText::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(::leadingNumber(text), expected);
}

QTEST_APPLESS_MAIN(tst_NumberText)
#include "tst_NumberText.moc"
