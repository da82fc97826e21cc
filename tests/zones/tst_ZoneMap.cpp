// The zone map measured against the zones it is painted with: a click on land gives the offset painted there, and
// the places of the lists lie in the zones of their offsets.
#include <QFile>
#include <QImage>
#include <QMap>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QTimeZone>

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/Twips.h"
#include "support/Control.h"
#include "support/MainWindowRig.h"
#include "support/UserInput.h"
#include "ui/settings/MapViewport.h"
#include "ui/settings/PressLabel.h"
#include "ui/settings/SetTimeFrm.h"
#include "zones/HotSpots.h"
#include "zones/ZoneGrid.h"
#include "zones/ZoneTable.h"

using namespace Qt::StringLiterals;

namespace {

const QString gridFile = QStringLiteral(HUXO_ASSET_DIR "/map_zones.png");

// The picture as tools/make_map.py projects the world: 360 degrees east from 172.5 W across its width, 83 N to
// 62 S down its height.
QPoint pixelOf(double latitude, double longitude, QSize picture)
{
    const double east = std::fmod(longitude + 172.5 + 360.0, 360.0);
    return {int(east * picture.width() / 360.0), int((83.0 - latitude) * picture.height() / (83.0 + 62.0))};
}

struct Place
{
    const char* name;
    double latitude;
    double longitude;
};

// Every place of the lists that is somewhere: the states stand for their largest or capital city, SAN JOSÉ is
// California's (it is listed with Los Angeles), SAN JUAN Puerto Rico's.
// clang-format off
const Place places[] = {
    {"SAMOA", -13.83, -171.76},     {"MIDWAY Is", 28.21, -177.38},   {"N.HEBRIDES", -17.73, 168.32},
    {"HAWAII", 21.31, -157.86},     {"ALEUTIANS", 51.88, -176.66},   {"ALASKA", 61.22, -149.90},
    {"EASTER Is", -27.15, -109.43}, {"MARQUESAS Is", -8.91, -140.10}, {"TAHITI", -17.54, -149.57},
    {"AKLAVIK", 68.22, -135.01},    {"TIJUANA", 32.51, -117.04},     {"VANCOUVER", 49.28, -123.12},
    {"SAN JOS\u00C9", 37.34, -121.89}, {"L.A.", 34.05, -118.24},     {"SEATTLE", 47.61, -122.33},
    {"ARIZONA", 33.45, -112.07},    {"UTAH", 40.76, -111.89},        {"EDMONTON", 53.55, -113.49},
    {"MEXICO CITY", 19.43, -99.13}, {"DALLAS", 32.78, -96.80},       {"WINNIPEG", 49.90, -97.14},
    {"CHICAGO", 41.88, -87.63},     {"St LOUIS", 38.63, -90.20},     {"BOGOT\u00C1", 4.71, -74.07},
    {"LIMA", -12.05, -77.04},       {"OTTAWA", 45.42, -75.70},       {"WASH'TN DC", 38.91, -77.04},
    {"NEW YORK", 40.71, -74.01},    {"TORONTO", 43.65, -79.38},      {"JAMAICA", 17.97, -76.79},
    {"BAHAMAS", 25.05, -77.35},     {"ATLANTA", 33.75, -84.39},      {"DETROIT", 42.33, -83.05},
    {"HAVANA", 23.11, -82.37},      {"QUITO", -0.18, -78.47},        {"INDIANA", 39.77, -86.16},
    {"BOSTON", 42.36, -71.06},      {"CARACAS", 10.48, -66.90},      {"LA PAZ", -16.50, -68.15},
    {"BERMUDA", 32.30, -64.78},     {"BARBADOS", 13.10, -59.61},     {"ASUNCI\u00D3N", -25.26, -57.58},
    {"SAN JUAN", 18.47, -66.11},    {"St.DOMINGO", 18.49, -69.93},   {"Newfoundland", 47.56, -52.71},
    {"BRAS\u00CDLIA", -15.79, -47.88}, {"GODTH\u00C5B", 64.18, -51.72}, {"FALKLANDS", -51.70, -57.85},
    {"Bns.AIRES", -34.60, -58.38},  {"AZORES", 37.74, -25.67},       {"DUBLIN", 53.35, -6.26},
    {"GLASGOW", 55.86, -4.25},      {"LISBON", 38.72, -9.14},        {"LONDON", 51.51, -0.13},
    {"REYKJAVIK", 64.15, -21.94},   {"BELFAST", 54.60, -5.93},       {"DAKAR", 14.72, -17.47},
    {"MONROVIA", 6.30, -10.80},     {"ALGIERS", 36.75, 3.06},        {"CANARIES", 28.12, -15.43},
    {"MADRID", 40.42, -3.70},       {"PARIS", 48.86, 2.35},          {"BERLIN", 52.52, 13.40},
    {"STOCKHOLM", 59.33, 18.07},    {"BERN", 46.95, 7.45},           {"BRUSSELS", 50.85, 4.35},
    {"VIENNA", 48.21, 16.37},       {"ROME", 41.90, 12.50},          {"LUANDA", -8.84, 13.23},
    {"KINSHASA", -4.44, 15.27},     {"BANGUI", 4.39, 18.56},         {"OSLO", 59.91, 10.75},
    {"ACCRA", 5.60, -0.19},         {"BALEARICS", 39.57, 2.65},      {"BELGRADE", 44.79, 20.45},
    {"BUDAPEST", 47.50, 19.04},     {"KANO", 12.00, 8.52},           {"MILAN", 45.46, 9.19},
    {"MALTA", 35.90, 14.51},        {"WINDHOEK", -22.56, 17.08},     {"WARSAW", 52.23, 21.01},
    {"TIRANA", 41.33, 19.82},       {"GIBRALTAR", 36.14, -5.35},     {"CAIRO", 30.04, 31.24},
    {"HARARE", -17.83, 31.05},      {"CAPETOWN", -33.92, 18.42},     {"ATHENS", 37.98, 23.73},
    {"HELSINKI", 60.17, 24.94},     {"ISTANBUL", 41.01, 28.98},      {"JERUSALEM", 31.77, 35.21},
    {"SOFIA", 42.70, 23.32},        {"PRETORIA", -25.75, 28.19},     {"BUCHAREST", 44.43, 26.10},
    {"TALLINN", 59.44, 24.75},      {"BEIRUT", 33.89, 35.50},        {"ANKARA", 39.93, 32.86},
    {"MOSCOW", 55.76, 37.62},       {"BAGHDAD", 33.31, 44.36},       {"RIYADH", 24.71, 46.68},
    {"NAIROBI", -1.29, 36.82},      {"MOGADISHO", 2.05, 45.32},      {"ADEN", 12.79, 45.02},
    {"BAHRAIN", 26.23, 50.59},      {"MURMANSK", 68.97, 33.08},      {"KUWAIT CITY", 29.38, 47.99},
    {"TEHR\u00C3N", 35.69, 51.39},  {"ABU DHABI", 24.45, 54.38},     {"MUSCAT", 23.59, 58.41},
    {"TBLISI", 41.72, 44.79},       {"VOLGOGRAD", 48.71, 44.51},     {"MAURITIUS", -20.16, 57.50},
    {"KABUL", 34.56, 69.21},        {"KARACHI", 24.86, 67.01},       {"ISLAMABAD", 33.68, 73.05},
    {"TASHKENT", 41.30, 69.24},     {"MALDIVES", 4.18, 73.51},       {"CHIMKENT", 42.32, 69.60},
    {"BOMBAY", 19.08, 72.88},       {"NEW DELHI", 28.61, 77.21},     {"COLOMBO", 6.93, 79.86},
    {"CALCUTTA", 22.57, 88.36},     {"ALMA-ATA", 43.24, 76.89},      {"DHAKA", 23.81, 90.41},
    {"RANGOON", 16.87, 96.20},      {"BANGKOK", 13.76, 100.50},      {"JAKARTA", -6.21, 106.85},
    {"HANOI", 21.03, 105.85},       {"BEIJING", 39.90, 116.41},      {"URUMQI", 43.83, 87.62},
    {"HONG KONG", 22.32, 114.17},   {"PERTH", -31.95, 115.86},       {"TAIPEI", 25.03, 121.57},
    {"SINGAPORE", 1.35, 103.82},    {"MANILA", 14.60, 120.98},       {"K. LUMPUR", 3.14, 101.69},
    {"TOKYO", 35.68, 139.69},       {"SEOUL", 37.57, 126.98},        {"YAKUTSK", 62.03, 129.73},
    {"OSAKA", 34.69, 135.50},       {"SAPPORO", 43.06, 141.35},      {"DARWIN", -12.46, 130.84},
    {"ADELAIDE", -34.93, 138.60},   {"ALICE SPR.", -23.70, 133.88},  {"BRISBANE", -27.47, 153.03},
    {"SYDNEY", -33.87, 151.21},     {"MELBOURNE", -37.81, 144.96},   {"HOBART", -42.88, 147.33},
    {"GUAM", 13.44, 144.79},        {"CANBERRA", -35.28, 149.13},    {"NEW GUINEA", -9.44, 147.18},
    {"CAIRNS", -16.92, 145.77},     {"MAGADAN", 59.56, 150.80},      {"SOLOMON Is.", -9.43, 159.95},
    {"FIJI", -18.14, 178.44},       {"KAMCHATKA", 53.02, 158.65},    {"WELLINGTON", -41.29, 174.78},
    {"AUCKLAND", -36.85, 174.76},   {"NUKU HIVA", -8.91, -140.10},   {"KATHMANDU", 27.72, 85.32},
    {"YANGON", 16.87, 96.20},       {"COCOS Is", -12.19, 96.83},     {"EUCLA", -31.68, 128.88},
    {"LORD HOWE Is", -31.55, 159.08}, {"CHATHAM Is", -43.95, -176.56}, {"NUKU'ALOFA", -21.14, -175.20},
    {"APIA", -13.83, -171.76},      {"KIRITIMATI", 1.87, -157.43},
};

// The entries of the lists that name a zone rather than a place.
const char* const zoneNames[] = {
    "PACIFIC", "MOUNTAIN", "CENTRAL", "EASTERN", "ATLANTIC", "HST", "YST/YDT", "PST / PDT", "MST / MDT", "MMT",
    "CST / CDT", "EST / EDT", "EET", "AST / ADT", "GMT / UTC", "BST", "CET / CEST", "C.EUROPE", "E.EUROPE",
};
// clang-format on

struct Moved
{
    const char* name;
    float offset;
    const char* why;
};

// Places whose listed offset is no longer the time kept there: the map is painted from today's zones, so they lie
// in the zone they keep now.
const Moved moved[] = {
    {"SAMOA", 13, "Samoa crossed the date line in 2011 (American Samoa, at -11, did not)"},
    {"N.HEBRIDES", 11, "Vanuatu keeps +11"},
    {"EASTER Is", -6, "Easter Island keeps Chile's island time, -6"},
    {"MARQUESAS Is", -9.5f, "the Marquesas keep -9:30"},
    {"TAHITI", -10, "French Polynesia's Society Islands keep -10"},
    {"AKLAVIK", -7, "the Northwest Territories keep Mountain time"},
    {"ASUNCI\u00D3N", -3, "Paraguay keeps -3 all year since 2024"},
    {"GODTH\u00C5B", -2, "Greenland's standard time is -2 since 2023"},
    {"ALGIERS", 1, "Algeria keeps +1"},
    {"ACCRA", 0, "Ghana keeps GMT"},
    {"WINDHOEK", 2, "Namibia keeps +2 since 2017"},
    {"ISTANBUL", 3, "Turkey keeps +3 all year since 2016"},
    {"ANKARA", 3, "Turkey keeps +3 all year since 2016"},
    {"VOLGOGRAD", 3, "Volgograd keeps Moscow time since 2020"},
    {"ALMA-ATA", 5, "Kazakhstan keeps +5 since 2024"},
    {"RANGOON", 6.5f, "Myanmar keeps +6:30"},
};

std::optional<float> listedOffset(const QString& name)
{
    for (const ZoneRow& row : zoneRows()) {
        if (row.places.contains(name)) {
            return row.offset;
        }
    }
    return std::nullopt;
}

// The offset painted at a place: its own pixel's, or on a coast drawn as water, that of the land round it when all
// of that land shows one offset.
std::optional<float> paintedAt(const ZoneGrid& grid, QPoint pixel)
{
    if (const auto own = grid.offsetAt(pixel)) {
        return own;
    }
    std::optional<float> around;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint next = pixel + QPoint(dx, dy);
            const auto offset = QRect(QPoint(), grid.size()).contains(next) ? grid.offsetAt(next) : std::nullopt;
            if (offset && around && *offset != *around) {
                return std::nullopt;
            }
            around = offset ? offset : around;
        }
    }
    return around;
}

// The settings window of clock 3 in a program folder that holds the map's zone grid, or lacks it.
struct Rig : MainWindowRig<>
{
    explicit Rig(bool withGrid = true)
    {
        const bool copied = !withGrid || QFile::copy(gridFile, module->programFile(u"map_zones.png"_s));
        frm = &SetTimeFrm::showFor(*forms, u"C"_s, u"WELCOME"_s);
        QVERIFY2(copied, "the zone grid is in the program folder");
    }

    // The hot spot that takes a press at this pixel of the picture, as the window finds it for a real press.
    const QWidget* areaAt(QPoint pixel) const
    {
        return qobject_cast<const PressLabel*>(control<QWidget>(frm, "Map")->childAt(pixel));
    }
    // What a press at this pixel gives: the offset of the hot spot that takes it, or nothing.
    std::optional<float> givenAt(QPoint pixel) const
    {
        const QWidget* area = areaAt(pixel);
        for (const HotSpot& spot : hotSpots()) {
            if (area && area->objectName() == u"Image"_s + QString::number(spot.number)) {
                return spot.offset;
            }
        }
        return std::nullopt;
    }

    SetTimeFrm* frm = nullptr;
};

// The 15-degree band of the sea under a column of the picture, as the offset of its meridian.
float seaBand(int x, int width)
{
    return float(std::floor((x + 0.5) * 24.0 / width) - 11);
}

struct Clicks
{
    int land = 0;      // land of an offset that hot spots offer
    int landRight = 0; // of it, where a click gives the painted offset
    int landWrong = 0; // anywhere on land, a click that gives another offset
    int sea = 0;
    int seaRight = 0; // a click gives the band's offset or nothing
};

// Every pixel of the picture clicked.
Clicks clicksOver(const Rig& rig, const ZoneGrid& grid)
{
    QSet<float> offered;
    for (const HotSpot& spot : hotSpots()) {
        offered.insert(spot.offset);
    }
    Clicks clicks;
    for (int y = 0; y < grid.size().height(); ++y) {
        for (int x = 0; x < grid.size().width(); ++x) {
            const auto painted = grid.offsetAt({x, y});
            const auto given = rig.givenAt({x, y});
            if (!painted) {
                ++clicks.sea;
                clicks.seaRight += !given || *given == seaBand(x, grid.size().width());
                continue;
            }
            clicks.landWrong += given && given != painted;
            if (offered.contains(*painted)) {
                ++clicks.land;
                clicks.landRight += given == painted;
            }
        }
    }
    return clicks;
}

} // namespace

class tst_ZoneMap : public QObject
{
    Q_OBJECT

private slots:
    void pictureShowsTheZonesOfTheGrid();
    void clicksGiveThePaintedZone();
    void everyHotSpotTakesPressesSomewhere();
    void withoutTheGridHotSpotsAreWholeRectangles();
    void clicksOnCitiesGiveTheirZone_data();
    void clicksOnCitiesGiveTheirZone();
    void placesLieInTheZoneOfTheirListedOffset();
};

void tst_ZoneMap::pictureShowsTheZonesOfTheGrid()
{
    const QImage picture(QStringLiteral(HUXO_ASSET_DIR "/map.png"));
    const ZoneGrid grid(gridFile);
    QCOMPARE(picture.size(), QSize(400, 181));
    QCOMPARE(grid.size(), picture.size());
    QVERIFY(picture.colorCount() <= 16);
    // The palette: sea, sea of the alternate bands, eleven land colours, label ground and label text.
    const auto isSea = [](int index) { return index <= 1; };
    const auto isLand = [](int index) { return index >= 2 && index <= 12; };
    const auto isLabel = [](int index) { return index >= 13; };
    QMap<float, int> colourOf;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const int index = picture.pixelIndex(x, y);
            const auto offset = grid.offsetAt({x, y});
            const QByteArray where = QByteArray::number(x) + "," + QByteArray::number(y);
            QVERIFY2(isLabel(index) || (offset ? isLand(index) : isSea(index)), where.constData());
            if (offset && isLand(index)) {
                QVERIFY2(colourOf.value(*offset, index) == index, where.constData());
                colourOf[*offset] = index;
            }
        }
    }
    QVERIFY(colourOf.size() > 30);
}

void tst_ZoneMap::clicksGiveThePaintedZone()
{
    const Rig rig;
    const ZoneGrid grid(gridFile);
    const Clicks clicks = clicksOver(rig, grid);
    qInfo("a click gives the painted offset on %d of %d land pixels of offered offsets (%.2f %%); "
          "a click on water gives its band's offset or nothing on %d of %d (%.2f %%)",
          clicks.landRight,
          clicks.land,
          100.0 * clicks.landRight / clicks.land,
          clicks.seaRight,
          clicks.sea,
          100.0 * clicks.seaRight / clicks.sea);
    // Land is taken only by hot spots of its own offset, and all of it. The sea beyond the date line lies in the
    // bands of -11 and +12, where the islands of +13 and +14 take some of it.
    QCOMPARE(clicks.landWrong, 0);
    QCOMPARE(clicks.landRight, clicks.land);
    QVERIFY(clicks.seaRight >= clicks.sea * 0.93);
}

void tst_ZoneMap::everyHotSpotTakesPressesSomewhere()
{
    const Rig rig;
    QSet<const QWidget*> reached;
    for (int y = 0; y < Twips::toPixels(2790); ++y) {
        for (int x = 0; x < Twips::toPixels(MapPictureWidth); ++x) {
            reached.insert(rig.areaAt({x, y}));
        }
    }
    reached.remove(nullptr);
    QCOMPARE(reached.size(), HotSpotCount);
}

void tst_ZoneMap::withoutTheGridHotSpotsAreWholeRectangles()
{
    const ZoneGrid grid(gridFile);
    const int cutToTheirZones = clicksOver(Rig(), grid).landRight;
    const Rig rig(false);
    for (const HotSpot& spot : hotSpots()) {
        const QWidget* area =
            control<QWidget>(rig.frm, QByteArray("Image" + QByteArray::number(spot.number)).constData());
        QVERIFY(area->isVisible());
        QVERIFY(area->mask().isEmpty());
    }
    // The rectangles overlap where the zones do not: cut to their zones they serve more of the land.
    const Clicks whole = clicksOver(rig, grid);
    qInfo("as whole rectangles, a click gives the painted offset on %d of %d land pixels", whole.landRight, whole.land);
    QVERIFY(whole.landWrong > 0);
    QVERIFY(whole.landRight < cutToTheirZones);
}

void tst_ZoneMap::clicksOnCitiesGiveTheirZone_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<QByteArray>("zone");
    const auto city = [](const char* name, double latitude, double longitude, const char* zone) {
        QTest::newRow(name) << latitude << longitude << QByteArray(zone);
    };
    city("Atlanta", 33.75, -84.39, "America/New_York");
    city("Detroit", 42.33, -83.05, "America/Detroit");
    city("Nairobi", -1.29, 36.82, "Africa/Nairobi");
    city("St Petersburg", 59.94, 30.31, "Europe/Moscow");
    city("Kyiv", 50.45, 30.52, "Europe/Kyiv");
    city("Karachi", 24.86, 67.01, "Asia/Karachi");
    city("Mexico City", 19.43, -99.13, "America/Mexico_City");
    city("Honolulu", 21.31, -157.86, "Pacific/Honolulu");
    city("Baghdad", 33.31, 44.36, "Asia/Baghdad");
    city("Lagos", 6.45, 3.39, "Africa/Lagos");
    city("Kathmandu", 27.72, 85.32, "Asia/Kathmandu");
    city("Eucla", -31.68, 128.88, "Australia/Eucla");
    city("Chatham", -43.95, -176.56, "Pacific/Chatham");
    city("Nuku'alofa", -21.14, -175.20, "Pacific/Tongatapu");
    city("Apia", -13.83, -171.76, "Pacific/Apia");
    city("Fakaofo", -9.38, -171.22, "Pacific/Fakaofo");
    city("Kanton", -2.81, -171.67, "Pacific/Kanton");
    city("Kiritimati", 1.87, -157.43, "Pacific/Kiritimati");
    city("Midway", 28.21, -177.38, "Pacific/Midway");
    city("Adak", 51.88, -176.66, "America/Adak");
    city("Pago Pago", -14.28, -170.70, "Pacific/Pago_Pago");
    city("Niue", -19.05, -169.87, "Pacific/Niue");
    city("Papeete", -17.54, -149.57, "Pacific/Tahiti");
    city("Taiohae", -8.91, -140.10, "Pacific/Marquesas");
    city("Yangon", 16.87, 96.20, "Asia/Yangon");
    city("Cocos Islands", -12.19, 96.83, "Indian/Cocos");
    city("St John's", 47.56, -52.71, "America/St_Johns");
    city("Tehran", 35.69, 51.39, "Asia/Tehran");
    city("Kabul", 34.56, 69.21, "Asia/Kabul");
    city("New Delhi", 28.61, 77.21, "Asia/Kolkata");
    city("Adelaide", -34.93, 138.60, "Australia/Adelaide");
    city("Darwin", -12.46, 130.84, "Australia/Darwin");
    city("Lord Howe", -31.55, 159.08, "Australia/Lord_Howe");
    city("Edmonton", 53.55, -113.49, "America/Edmonton");
    city("Tarawa", 1.33, 172.98, "Pacific/Tarawa");
    city("Dhaka", 23.81, 90.41, "Asia/Dhaka");
}

void tst_ZoneMap::clicksOnCitiesGiveTheirZone()
{
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(QByteArray, zone);
    // The standard offset of today: the smaller of a winter and a summer one, as the map is painted.
    const QTimeZone tz(zone);
    const int year = QDate::currentDate().year();
    const float offset = float(std::min(tz.offsetFromUtc(QDateTime(QDate(year, 1, 15), QTime(12, 0), Qt::UTC)),
                                        tz.offsetFromUtc(QDateTime(QDate(year, 7, 15), QTime(12, 0), Qt::UTC))))
                         / 3600.0f;
    const Rig rig;
    const ZoneGrid grid(gridFile);
    // A city on a coast drawn as water is clicked on the land beside it.
    const QPoint city = pixelOf(latitude, longitude, grid.size());
    QPoint pixel = city;
    for (const QPoint step : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)}) {
        if (!grid.offsetAt(pixel) && grid.offsetAt(city + step)) {
            pixel = city + step;
        }
    }
    QCOMPARE(grid.offsetAt(pixel).value_or(NAN), offset);
    // Scrolled so that the city is in the middle of the window, then clicked where the user sees it: near either
    // end of the picture, on the copy of the other end that the window shows beside it.
    const int width = Twips::toPixels(MapPictureWidth);
    QWidget* mapWindow = control<QWidget>(rig.frm, "MapWindow");
    control<QScrollBar>(rig.frm, "HScroll1")
        ->setValue(std::clamp(mapWindow->width() / 2 - pixel.x(), -5880 / 15, 1350 / 15) * 15);
    QPoint inWindow = control<QWidget>(rig.frm, "Map")->pos() + pixel;
    if (!mapWindow->rect().contains(inWindow)) {
        inWindow.rx() += inWindow.x() < 0 ? width : -width;
    }
    QVERIFY(mapWindow->rect().contains(inWindow));
    clickAt(mapWindow, inWindow);
    QCOMPARE(rig.module->SetOffset, offset);
}

void tst_ZoneMap::placesLieInTheZoneOfTheirListedOffset()
{
    const ZoneGrid grid(gridFile);
    QStringList listed;
    for (const ZoneRow& row : zoneRows()) {
        listed += row.places;
    }
    QStringList measured;
    for (const Place& place : places) {
        measured << QString::fromUtf8(place.name);
    }
    for (const char* name : zoneNames) {
        measured << QString::fromUtf8(name);
    }
    listed.sort();
    measured.sort();
    QCOMPARE(measured, listed);

    int inTheirZone = 0;
    QStringList outside;
    for (const Place& place : places) {
        const QString name = QString::fromUtf8(place.name);
        const auto listedAt = listedOffset(name);
        const auto painted = paintedAt(grid, pixelOf(place.latitude, place.longitude, grid.size()));
        const auto move = std::find_if(
            std::begin(moved), std::end(moved), [&](const Moved& m) { return name == QString::fromUtf8(m.name); });
        if (move != std::end(moved)) {
            QVERIFY2(painted == move->offset, move->why);
            outside << name;
        } else if (painted == listedAt) {
            ++inTheirZone;
        } else {
            QFAIL(qPrintable(name + u" is painted "_s + (painted ? QString::number(*painted) : u"as water"_s)
                             + u", listed at "_s + QString::number(listedAt.value_or(NAN))));
        }
    }
    qInfo("%d of %d places lie in the zone of their listed offset; the rest keep another time today: %s",
          inTheirZone,
          int(std::size(places)),
          qPrintable(outside.join(u", "_s)));
    QCOMPARE(inTheirZone + int(std::size(moved)), int(std::size(places)));
}

QTEST_MAIN(tst_ZoneMap)
#include "tst_ZoneMap.moc"
