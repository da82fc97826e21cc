#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <limits>
#include <type_traits>

#include "InternetRig.h"
#include "core/SettingsFile.h"
#include "core/SettingsRecords.h"

using namespace Qt::StringLiterals;

namespace {

// A settings file with one number in every 16-bit record and another in every single-precision one.
Settings everyNumber(qint16 integer, float single)
{
    Settings s;
    for (const SettingsRecords::Record& record : SettingsRecords::Records) {
        SettingsRecords::visitValue(s, record, [&](auto& value) {
            using Value = std::remove_reference_t<decltype(value)>;
            if constexpr (SettingsRecords::Word<Value>) {
                value = Value(integer);
            } else if constexpr (std::is_same_v<Value, float>) {
                value = single;
            }
        });
    }
    return s;
}

} // namespace

// Extreme numbers in every record of the settings file: the program starts, ticks and asks a time server as with
// any file it wrote itself, and what it saves reads back as it was.
class tst_ExtremeSettings : public QObject
{
    Q_OBJECT

private slots:
    void everyRecordAtItsExtremes_data();
    void everyRecordAtItsExtremes();
};

void tst_ExtremeSettings::everyRecordAtItsExtremes_data()
{
    QTest::addColumn<int>("integer");
    QTest::addColumn<float>("single");
    QTest::newRow("lowest") << -32768 << -std::numeric_limits<float>::max();
    QTest::newRow("highest") << 32767 << std::numeric_limits<float>::max();
    QTest::newRow("minus one") << -1 << -1e9f;
    QTest::newRow("just past") << 4 << 13.0f;
}

void tst_ExtremeSettings::everyRecordAtItsExtremes()
{
    QFETCH(int, integer);
    QFETCH(float, single);
    InternetRig rig(everyNumber(qint16(integer), single));
    huxofrm& window = *rig.window;
    for (const char* name : {"LocTime", "GMTtime", "CTime", "DTime", "ETime", "FTime", "GTime"}) {
        const QLabel* time = control<QLabel>(window, name);
        QVERIFY2(QTime::fromString(time->text(), u"hh:mm"_s).isValid(), name);
    }

    // Stored as -32768, the last server's number once wrapped past the checks and asked for a fourth server.
    rig.answer(1, "Tue Dec  8 12:59:59 UTC 2026\n");
    QTest::mouseClick(control<QPushButton>(rig.frm, "AutoSetBtn"), Qt::LeftButton);
    QCOMPARE(rig.requests().value(0), dateRoute(1));
    // No stored zone is the computer's here, so the clock is left alone.
    QCOMPARE(rig.fakes.clock.setCount(), 0);

    rig.fakes.clock.advanceSeconds(60);
    control<QTimer>(window, "Timer1")->start(0);
    QTRY_COMPARE(control<QLabel>(window, "LocTime")->text(), u"13:00"_s);

    QVERIFY(rig.module->SaveSettings());
    QCOMPARE(SettingsFile::encode(rig.saved()), SettingsFile::encode(*rig.module));
}

QTEST_MAIN(tst_ExtremeSettings)
#include "tst_ExtremeSettings.moc"
