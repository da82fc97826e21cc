#include "PlaceZones.h"

#include "core/Cp1252.h"

namespace {

// Each place of the zone table that is one place or names one zone, by its table spelling (Windows-1252 bytes;
// octal escapes, since a hex escape would swallow the letters after it). Labels that fit no single zone, such as
// "EET" among the American places or "MMT" and "YST/YDT", have none. Where the table keeps an offset that the
// place has since left, the zone is still the place's own, so its hint tells the time the place really keeps.
constexpr PlaceZone Table[] = {
    // -11
    {"SAMOA", "Pacific/Pago_Pago"},
    {"MIDWAY Is", "Pacific/Midway"},
    {"N.HEBRIDES", "Pacific/Efate"},
    // -10
    {"HAWAII", "Pacific/Honolulu"},
    {"HST", "Pacific/Honolulu"},
    {"ALEUTIANS", "America/Adak"},
    // -9:30
    {"NUKU HIVA", "Pacific/Marquesas"},
    // -9
    {"ALASKA", "America/Anchorage"},
    {"EASTER Is", "Pacific/Easter"},
    {"MARQUESAS Is", "Pacific/Marquesas"},
    {"TAHITI", "Pacific/Tahiti"},
    {"AKLAVIK", "America/Inuvik"},
    // -8
    {"PACIFIC", "America/Los_Angeles"},
    {"TIJUANA", "America/Tijuana"},
    {"VANCOUVER", "America/Vancouver"},
    {"SAN JOS\311", "America/Costa_Rica"},
    {"PST / PDT", "America/Los_Angeles"},
    {"L.A.", "America/Los_Angeles"},
    {"SEATTLE", "America/Los_Angeles"},
    // -7
    {"MOUNTAIN", "America/Denver"},
    {"ARIZONA", "America/Phoenix"},
    {"UTAH", "America/Denver"},
    {"MST / MDT", "America/Denver"},
    {"EDMONTON", "America/Edmonton"},
    // -6
    {"CENTRAL", "America/Chicago"},
    {"MEXICO CITY", "America/Mexico_City"},
    {"DALLAS", "America/Chicago"},
    {"WINNIPEG", "America/Winnipeg"},
    {"CST / CDT", "America/Chicago"},
    {"CHICAGO", "America/Chicago"},
    {"St LOUIS", "America/Chicago"},
    // -5
    {"EASTERN", "America/New_York"},
    {"BOGOT\301", "America/Bogota"},
    {"LIMA", "America/Lima"},
    {"OTTAWA", "America/Toronto"},
    {"WASH'TN DC", "America/New_York"},
    {"NEW YORK", "America/New_York"},
    {"TORONTO", "America/Toronto"},
    {"EST / EDT", "America/New_York"},
    {"JAMAICA", "America/Jamaica"},
    {"BAHAMAS", "America/Nassau"},
    {"ATLANTA", "America/New_York"},
    {"DETROIT", "America/Detroit"},
    {"HAVANA", "America/Havana"},
    {"QUITO", "America/Guayaquil"},
    {"INDIANA", "America/Indiana/Indianapolis"},
    {"BOSTON", "America/New_York"},
    // -4
    {"ATLANTIC", "America/Halifax"},
    {"CARACAS", "America/Caracas"},
    {"LA PAZ", "America/La_Paz"},
    {"AST / ADT", "America/Halifax"},
    {"BERMUDA", "Atlantic/Bermuda"},
    {"BARBADOS", "America/Barbados"},
    {"ASUNCI\323N", "America/Asuncion"},
    {"SAN JUAN", "America/Puerto_Rico"},
    {"St.DOMINGO", "America/Santo_Domingo"},
    // -3.5
    {"Newfoundland", "America/St_Johns"},
    // -3
    {"BRAS\315LIA", "America/Sao_Paulo"},
    {"GODTH\305B", "America/Nuuk"},
    {"FALKLANDS", "Atlantic/Stanley"},
    {"Bns.AIRES", "America/Argentina/Buenos_Aires"},
    // -1
    {"AZORES", "Atlantic/Azores"},
    // 0
    {"DUBLIN", "Europe/Dublin"},
    {"GLASGOW", "Europe/London"},
    {"LISBON", "Europe/Lisbon"},
    {"LONDON", "Europe/London"},
    {"REYKJAVIK", "Atlantic/Reykjavik"},
    {"BELFAST", "Europe/London"},
    {"DAKAR", "Africa/Dakar"},
    {"MONROVIA", "Africa/Monrovia"},
    {"GMT / UTC", "UTC"},
    {"ALGIERS", "Africa/Algiers"},
    {"CANARIES", "Atlantic/Canary"},
    {"BST", "Europe/London"},
    // +1
    {"MADRID", "Europe/Madrid"},
    {"PARIS", "Europe/Paris"},
    {"BERLIN", "Europe/Berlin"},
    {"STOCKHOLM", "Europe/Stockholm"},
    {"BERN", "Europe/Zurich"},
    {"BRUSSELS", "Europe/Brussels"},
    {"VIENNA", "Europe/Vienna"},
    {"ROME", "Europe/Rome"},
    {"LUANDA", "Africa/Luanda"},
    {"KINSHASA", "Africa/Kinshasa"},
    {"BANGUI", "Africa/Bangui"},
    {"OSLO", "Europe/Oslo"},
    {"ACCRA", "Africa/Accra"},
    {"CET / CEST", "Europe/Paris"},
    {"BALEARICS", "Europe/Madrid"},
    {"BELGRADE", "Europe/Belgrade"},
    {"BUDAPEST", "Europe/Budapest"},
    {"KANO", "Africa/Lagos"},
    {"MILAN", "Europe/Rome"},
    {"MALTA", "Europe/Malta"},
    {"C.EUROPE", "Europe/Berlin"},
    {"WINDHOEK", "Africa/Windhoek"},
    {"WARSAW", "Europe/Warsaw"},
    {"TIRANA", "Europe/Tirane"},
    {"GIBRALTAR", "Europe/Gibraltar"},
    // +2
    {"CAIRO", "Africa/Cairo"},
    {"HARARE", "Africa/Harare"},
    {"CAPETOWN", "Africa/Johannesburg"},
    {"ATHENS", "Europe/Athens"},
    {"HELSINKI", "Europe/Helsinki"},
    {"ISTANBUL", "Europe/Istanbul"},
    {"E.EUROPE", "Europe/Bucharest"},
    {"JERUSALEM", "Asia/Jerusalem"},
    {"SOFIA", "Europe/Sofia"},
    {"PRETORIA", "Africa/Johannesburg"},
    {"BUCHAREST", "Europe/Bucharest"},
    {"TALLINN", "Europe/Tallinn"},
    {"BEIRUT", "Asia/Beirut"},
    {"ANKARA", "Europe/Istanbul"},
    // +3
    {"MOSCOW", "Europe/Moscow"},
    {"BAGHDAD", "Asia/Baghdad"},
    {"RIYADH", "Asia/Riyadh"},
    {"NAIROBI", "Africa/Nairobi"},
    {"MOGADISHO", "Africa/Mogadishu"},
    {"ADEN", "Asia/Aden"},
    {"BAHRAIN", "Asia/Bahrain"},
    {"MURMANSK", "Europe/Moscow"},
    {"KUWAIT CITY", "Asia/Kuwait"},
    // +3.5
    {"TEHR\303N", "Asia/Tehran"},
    // +4
    {"ABU DHABI", "Asia/Dubai"},
    {"MUSCAT", "Asia/Muscat"},
    {"TBLISI", "Asia/Tbilisi"},
    {"VOLGOGRAD", "Europe/Volgograd"},
    {"MAURITIUS", "Indian/Mauritius"},
    // +4.5
    {"KABUL", "Asia/Kabul"},
    // +5
    {"KARACHI", "Asia/Karachi"},
    {"ISLAMABAD", "Asia/Karachi"},
    {"TASHKENT", "Asia/Tashkent"},
    {"MALDIVES", "Indian/Maldives"},
    {"CHIMKENT", "Asia/Almaty"},
    // +5.5
    {"BOMBAY", "Asia/Kolkata"},
    {"NEW DELHI", "Asia/Kolkata"},
    {"COLOMBO", "Asia/Colombo"},
    {"CALCUTTA", "Asia/Kolkata"},
    // +5:45
    {"KATHMANDU", "Asia/Kathmandu"},
    // +6
    {"ALMA-ATA", "Asia/Almaty"},
    {"DHAKA", "Asia/Dhaka"},
    {"RANGOON", "Asia/Yangon"},
    // +6:30
    {"YANGON", "Asia/Yangon"},
    {"COCOS Is", "Indian/Cocos"},
    // +7
    {"BANGKOK", "Asia/Bangkok"},
    {"JAKARTA", "Asia/Jakarta"},
    {"HANOI", "Asia/Ho_Chi_Minh"},
    // +8
    {"BEIJING", "Asia/Shanghai"},
    {"URUMQI", "Asia/Urumqi"},
    {"HONG KONG", "Asia/Hong_Kong"},
    {"PERTH", "Australia/Perth"},
    {"TAIPEI", "Asia/Taipei"},
    {"SINGAPORE", "Asia/Singapore"},
    {"MANILA", "Asia/Manila"},
    {"K. LUMPUR", "Asia/Kuala_Lumpur"},
    // +8:45
    {"EUCLA", "Australia/Eucla"},
    // +9
    {"TOKYO", "Asia/Tokyo"},
    {"SEOUL", "Asia/Seoul"},
    {"YAKUTSK", "Asia/Yakutsk"},
    {"OSAKA", "Asia/Tokyo"},
    {"SAPPORO", "Asia/Tokyo"},
    // +9.5
    {"DARWIN", "Australia/Darwin"},
    {"ADELAIDE", "Australia/Adelaide"},
    {"ALICE SPR.", "Australia/Darwin"},
    // +10
    {"BRISBANE", "Australia/Brisbane"},
    {"SYDNEY", "Australia/Sydney"},
    {"MELBOURNE", "Australia/Melbourne"},
    {"HOBART", "Australia/Hobart"},
    {"GUAM", "Pacific/Guam"},
    {"CANBERRA", "Australia/Sydney"},
    {"NEW GUINEA", "Pacific/Port_Moresby"},
    {"CAIRNS", "Australia/Brisbane"},
    // +10:30
    {"LORD HOWE Is", "Australia/Lord_Howe"},
    // +11
    {"MAGADAN", "Asia/Magadan"},
    {"SOLOMON Is.", "Pacific/Guadalcanal"},
    // +12
    {"FIJI", "Pacific/Fiji"},
    {"KAMCHATKA", "Asia/Kamchatka"},
    {"WELLINGTON", "Pacific/Auckland"},
    {"AUCKLAND", "Pacific/Auckland"},
    // +12:45
    {"CHATHAM Is", "Pacific/Chatham"},
    // +13
    {"NUKU'ALOFA", "Pacific/Tongatapu"},
    {"APIA", "Pacific/Apia"},
    // +14
    {"KIRITIMATI", "Pacific/Kiritimati"},
};

} // namespace

const std::vector<PlaceZone>& placeZones()
{
    static const std::vector<PlaceZone> zones(std::begin(Table), std::end(Table));
    return zones;
}

QByteArray placeZoneId(const QString& place)
{
    const QByteArray spelling = toCp1252(place.trimmed());
    for (const PlaceZone& zone : placeZones()) {
        if (spelling == zone.place) {
            return QByteArray(zone.zoneId);
        }
    }
    return {};
}
