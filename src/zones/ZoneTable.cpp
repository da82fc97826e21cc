#include "ZoneTable.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <array>

#include "core/Cp1252.h"

namespace {

// The names are kept in the Windows-1252 bytes of the program's texts.
QStringList names(std::initializer_list<const char*> bytes)
{
    QStringList decoded;
    for (const char* name : bytes) {
        decoded << fromCp1252(QByteArray(name));
    }
    return decoded;
}

std::vector<ZoneRow> buildRows()
{
    return {
        {-11.0f, names({"SAMOA", "MIDWAY Is", "N.HEBRIDES"})},
        {-10.0f, names({"HAWAII", "HST", "ALEUTIANS"})},
        {-9.5f, names({"NUKU HIVA"})},
        {-9.0f, names({"ALASKA", "EASTER Is", "MARQUESAS Is", "TAHITI", "YST/YDT", "AKLAVIK"})},
        {-8.0f, names({"PACIFIC", "TIJUANA", "VANCOUVER", "SAN JOS\xC9", "PST / PDT", "L.A.", "SEATTLE"})},
        {-7.0f, names({"MOUNTAIN", "ARIZONA", "UTAH", "MST / MDT", "MMT", "EDMONTON"})},
        {-6.0f, names({"CENTRAL", "MEXICO CITY", "DALLAS", "WINNIPEG", "CST / CDT", "CHICAGO", "St LOUIS"})},
        {-5.0f,
         names({"EASTERN",
                "BOGOT\xC1",
                "LIMA",
                "OTTAWA",
                "WASH'TN DC",
                "NEW YORK",
                "TORONTO",
                "EST / EDT",
                "EET",
                "JAMAICA",
                "BAHAMAS",
                "ATLANTA",
                "DETROIT",
                "HAVANA",
                "QUITO",
                "INDIANA",
                "BOSTON"})},
        {-4.0f,
         names({"ATLANTIC",
                "CARACAS",
                "LA PAZ",
                "AST / ADT",
                "BERMUDA",
                "BARBADOS",
                "ASUNCI\xD3N",
                "SAN JUAN",
                "St.DOMINGO"})},
        {-3.5f, names({"Newfoundland"})},
        {-3.0f,
         names({"BRAS\xCDLIA", "GODTH\305B", "FALKLANDS", "Bns.AIRES"})}, // octal: a hex escape would swallow the B
        {-1.0f, names({"AZORES"})},
        {0.0f,
         names({"DUBLIN",
                "GLASGOW",
                "LISBON",
                "LONDON",
                "REYKJAVIK",
                "BELFAST",
                "DAKAR",
                "MONROVIA",
                "GMT / UTC",
                "ALGIERS",
                "CANARIES",
                "BST"})},
        {1.0f, names({"MADRID",    "PARIS",    "BERLIN",   "STOCKHOLM", "BERN",  "BRUSSELS", "VIENNA",
                      "ROME",      "LUANDA",   "KINSHASA", "BANGUI",    "OSLO",  "ACCRA",    "CET / CEST",
                      "BALEARICS", "BELGRADE", "BUDAPEST", "KANO",      "MILAN", "MALTA",    "C.EUROPE",
                      "WINDHOEK",  "WARSAW",   "TIRANA",   "GIBRALTAR"})},
        {2.0f,
         names({"CAIRO",
                "HARARE",
                "CAPETOWN",
                "ATHENS",
                "HELSINKI",
                "ISTANBUL",
                "E.EUROPE",
                "JERUSALEM",
                "SOFIA",
                "PRETORIA",
                "BUCHAREST",
                "TALLINN",
                "BEIRUT",
                "ANKARA"})},
        {3.0f,
         names({"MOSCOW", "BAGHDAD", "RIYADH", "NAIROBI", "MOGADISHO", "ADEN", "BAHRAIN", "MURMANSK", "KUWAIT CITY"})},
        {3.5f, names({"TEHR\xC3N"})},
        {4.0f, names({"ABU DHABI", "MUSCAT", "TBLISI", "VOLGOGRAD", "MAURITIUS"})},
        {4.5f, names({"KABUL"})},
        {5.0f, names({"KARACHI", "ISLAMABAD", "TASHKENT", "MALDIVES", "CHIMKENT"})},
        {5.5f, names({"BOMBAY", "NEW DELHI", "COLOMBO", "CALCUTTA"})},
        {5.75f, names({"KATHMANDU"})},
        {6.0f, names({"ALMA-ATA", "DHAKA", "RANGOON"})},
        {6.5f, names({"YANGON", "COCOS Is"})},
        {7.0f, names({"BANGKOK", "JAKARTA", "HANOI"})},
        {8.0f, names({"BEIJING", "URUMQI", "HONG KONG", "PERTH", "TAIPEI", "SINGAPORE", "MANILA", "K. LUMPUR"})},
        {8.75f, names({"EUCLA"})},
        {9.0f, names({"TOKYO", "SEOUL", "YAKUTSK", "OSAKA", "SAPPORO"})},
        {9.5f, names({"DARWIN", "ADELAIDE", "ALICE SPR."})},
        {10.0f, names({"BRISBANE", "SYDNEY", "MELBOURNE", "HOBART", "GUAM", "CANBERRA", "NEW GUINEA", "CAIRNS"})},
        {10.5f, names({"LORD HOWE Is"})},
        {11.0f, names({"MAGADAN", "SOLOMON Is."})},
        {12.0f, names({"FIJI", "KAMCHATKA", "WELLINGTON", "AUCKLAND"})},
        {12.75f, names({"CHATHAM Is"})},
        {13.0f, names({"NUKU'ALOFA", "APIA"})},
        {14.0f, names({"KIRITIMATI"})},
    };
}

// The order in which an offset is tried against the rows: the zones of old, then those of today's that keep
// quarter hours or lie beyond +12.
constexpr std::array<float, 36> TestOrder = {0.0f,   1.0f,  2.0f,  3.0f,  3.5f,  4.0f,   4.5f,  5.0f,  5.5f,
                                             6.0f,   7.0f,  8.0f,  9.0f,  9.5f,  10.0f,  11.0f, 12.0f, -11.0f,
                                             -10.0f, -9.0f, -8.0f, -7.0f, -6.0f, -5.0f,  -4.0f, -3.0f, -3.5f,
                                             -1.0f,  5.75f, 6.5f,  8.75f, 10.5f, 12.75f, 13.0f, 14.0f, -9.5f};

} // namespace

const std::vector<ZoneRow>& zoneRows()
{
    static const std::vector<ZoneRow> rows = buildRows();
    return rows;
}

QStringList placesAddedFor(float offset)
{
    for (float tried : TestOrder) {
        if (offset != tried) {
            continue;
        }
        for (const ZoneRow& row : zoneRows()) {
            if (row.offset == tried) {
                return row.places;
            }
        }
    }
    return {};
}

QStringList sortedPlaces(QStringList places)
{
    QCollator collator{QLocale(QLocale::English, QLocale::UnitedKingdom)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(places.begin(), places.end(), [&collator](const QString& a, const QString& b) {
        return collator.compare(a, b) < 0;
    });
    return places;
}

QStringList placeListFor(float offset)
{
    return sortedPlaces(placesAddedFor(offset));
}
