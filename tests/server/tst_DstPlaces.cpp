#include <QFile>
#include <QHash>
#include <QSet>
#include <QTest>

#include "zones/PlaceZones.h"
#include "zones/ZoneTable.h"

using namespace Qt::StringLiterals;

// The places file of the update server's daylight-saving text against the program's own place table: a user who
// picks a place from the map finds it in the text, kept by the same zone as the program's hints.
class tst_DstPlaces : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyPlaceOfTheTableHasAnEntryOrIsALabel();
    void entriesKeepTheZoneOfTheProgramsHints();
    void theFileNamesOnlySpellingsOfTheTable();

private:
    QHash<QString, QString> m_zoneOfSpelling; // table spelling -> zone of the entry that stands for it
    QSet<QString> m_labels;
    QSet<QString> m_tablePlaces;
};

void tst_DstPlaces::initTestCase()
{
    QFile file(QStringLiteral(HUXO_PLACES_FILE));
    QVERIFY2(file.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(file.errorString()));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString& line : lines) {
        if (line.startsWith(u'~')) {
            for (const QString& label : line.mid(1).split(u',')) {
                m_labels.insert(label.trimmed());
            }
            continue;
        }
        const QStringList fields = line.split(u'|');
        if (line.startsWith(u'#') || fields.size() < 3) {
            continue;
        }
        for (const QString& spelling : fields[2].split(u',')) {
            QVERIFY2(!m_zoneOfSpelling.contains(spelling.trimmed()), qPrintable(spelling));
            m_zoneOfSpelling.insert(spelling.trimmed(), fields[1].trimmed());
        }
    }
    QVERIFY(!m_labels.isEmpty());
    for (const ZoneRow& row : zoneRows()) {
        for (const QString& place : row.places) {
            m_tablePlaces.insert(place);
        }
    }
}

void tst_DstPlaces::everyPlaceOfTheTableHasAnEntryOrIsALabel()
{
    for (const QString& place : std::as_const(m_tablePlaces)) {
        QVERIFY2(m_zoneOfSpelling.contains(place) != m_labels.contains(place),
                 qPrintable(place + u" must be either a place of the text or a label"_s));
    }
}

void tst_DstPlaces::entriesKeepTheZoneOfTheProgramsHints()
{
    for (auto it = m_zoneOfSpelling.cbegin(); it != m_zoneOfSpelling.cend(); ++it) {
        QCOMPARE(QString::fromLatin1(placeZoneId(it.key())), it.value());
    }
}

void tst_DstPlaces::theFileNamesOnlySpellingsOfTheTable()
{
    for (const QString& spelling : m_zoneOfSpelling.keys() + m_labels.values()) {
        QVERIFY2(m_tablePlaces.contains(spelling), qPrintable(spelling + u" is no place of the table"_s));
    }
}

QTEST_APPLESS_MAIN(tst_DstPlaces)
#include "tst_DstPlaces.moc"
