#include <QTest>

#include "core/Pattern.h"

using namespace Qt::Literals::StringLiterals;

class tst_Pattern : public QObject
{
    Q_OBJECT

private slots:
    void matches_data();
    void matches();
    void manyStarsStayFast();
};

void tst_Pattern::matches_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("expected");

    QTest::newRow("time line") << u"Tue Dec  8 00:03:19 UTC 2026"_s << u"[F-W]*[B-U][M-T][C-T]*"_s << true;
    QTest::newRow("time line, lower case") << u"tue dec 8 00:03:19 utc 2026"_s << u"[F-W]*[B-U][M-T][C-T]*"_s << false;
    QTest::newRow("summer zone") << u"BST"_s << u"BS*"_s << true;
    QTest::newRow("star matches none") << u"BS"_s << u"BS*"_s << true;
    QTest::newRow("inside") << u"abc fetch button x"_s << u"*fetch button*"_s << true;
    QTest::newRow("inside, other case") << u"Fetch Button"_s << u"*fetch button*"_s << false;
    QTest::newRow("empty, star") << QString() << u"*"_s << true;
    QTest::newRow("empty, question mark") << QString() << u"?"_s << false;
    QTest::newRow("not found page") << u"404 Not Found"_s << u"*404*"_s << true;
    QTest::newRow("one character") << u"ab"_s << u"a?"_s << true;
    QTest::newRow("question mark is one") << u"abc"_s << u"a?"_s << false;
    QTest::newRow("digit") << u"a7"_s << u"a#"_s << true;
    QTest::newRow("letter is no digit") << u"ax"_s << u"a#"_s << false;
    QTest::newRow("not in range") << u"5"_s << u"[!A-Z]"_s << true;
    QTest::newRow("in excluded range") << u"Q"_s << u"[!A-Z]"_s << false;
    QTest::newRow("set") << u"b"_s << u"[abc]"_s << true;
    QTest::newRow("outside set") << u"d"_s << u"[abc]"_s << false;
    QTest::newRow("range and member") << u"x"_s << u"[a-cx]"_s << true;
    QTest::newRow("beside range and member") << u"d"_s << u"[a-cx]"_s << false;
    QTest::newRow("leading hyphen") << u"-"_s << u"[-a]"_s << true;
    QTest::newRow("trailing hyphen") << u"-"_s << u"[a-]"_s << true;
    QTest::newRow("specials in a set") << u"*"_s << u"[*?#]"_s << true;
    QTest::newRow("unclosed bracket") << u"a[b"_s << u"a[b"_s << true;
    QTest::newRow("unclosed bracket is literal") << u"ab"_s << u"a[b"_s << false;
    QTest::newRow("text too short") << u"a"_s << u"ab"_s << false;
    QTest::newRow("star backtracks") << u"abcbd"_s << u"*bd"_s << true;
    QTest::newRow("stars in order") << u"aXbYc"_s << u"a*b*c"_s << true;
    QTest::newRow("stars out of order") << u"aXcYb"_s << u"a*b*c"_s << false;
}

void tst_Pattern::matches()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(bool, expected);
    QCOMPARE(matchesPattern(text, pattern), expected);
}

// A backtracking matcher takes exponential time on the stars, and a search for "]" after every "[" quadratic time;
// either runs into the time limit.
void tst_Pattern::manyStarsStayFast()
{
    const QString text = QString(20000, u'a');
    QVERIFY(!matchesPattern(text, u"*a*a*a*a*a*a*a*a*a*a*a*a*b"));
    QVERIFY(!matchesPattern(u"a", QString(200000, u'[')));
}

QTEST_APPLESS_MAIN(tst_Pattern)
#include "tst_Pattern.moc"
