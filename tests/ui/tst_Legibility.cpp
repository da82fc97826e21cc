#include <QApplication>
#include <QHash>
#include <QLabel>
#include <QTest>

#include <algorithm>

#include "support/MainWindowRig.h"
#include "ui/Contrast.h"
#include "ui/main/ClockFace.h"

using namespace Qt::StringLiterals;

namespace {

// The contrast of what a control shows as the window draws it, with whatever lies under it: its ground is the colour
// most of its pixels have, its print the pixel that stands out from that the most.
double drawnContrast(QWidget* control)
{
    QWidget* window = control->window();
    const QImage image = window->grab(QRect(control->mapTo(window, QPoint()), control->size())).toImage();
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ++counts[image.pixel(x, y)];
        }
    }
    const QList<QRgb> colours = counts.keys();
    const QColor ground(*std::max_element(
        colours.cbegin(), colours.cend(), [&counts](QRgb one, QRgb other) { return counts[one] < counts[other]; }));
    double most = 1;
    for (const QRgb colour : colours) {
        most = std::max(most, Contrast::ratio(QColor(colour), ground));
    }
    return most;
}

} // namespace

class tst_Legibility : public QObject
{
    Q_OBJECT

private slots:
    void readOutsReadInEveryPalette_data();
    void readOutsReadInEveryPalette();
    void cleanup() { QApplication::setPalette(QPalette()); }
};

void tst_Legibility::readOutsReadInEveryPalette_data()
{
    QTest::addColumn<QPalette>("palette");
    QTest::addColumn<Colours>("scheme");
    // Palettes made from their button colour, as a desktop's light or dark theme gives it.
    const QPalette light(QColor(239, 239, 239));
    const QPalette dark(QColor(49, 54, 59));
    QTest::newRow("light desktop") << light << Colours::System;
    QTest::newRow("dark desktop") << dark << Colours::System;
    QTest::newRow("black scheme on a dark desktop") << dark << Colours::Black;
}

void tst_Legibility::readOutsReadInEveryPalette()
{
    QFETCH(QPalette, palette);
    QFETCH(Colours, scheme);
    Settings stored;
    stored.SetupDone = Flag::On;
    stored.ColourScheme = scheme;
    stored.CCaption = u"HOME"_s; // no place: no mark of a zone beside it
    MainWindowRig rig(&stored);
    huxofrm& window = *rig.window;
    // The desktop changes its theme while the program runs.
    QApplication::setPalette(palette);
    window.clockModel().DoTick();

    if (scheme == Colours::System) {
        QCOMPARE(control<QWidget>(window, "Cpanel")->palette().color(QPalette::Window),
                 palette.color(QPalette::Button));
    }
    for (const char* name : {"LocCap", "BCap", "CCap", "LocTime", "GMTtime", "CTime", "LocDay", "GMTDay", "CDay"}) {
        auto* readOut = control<QLabel>(window, name);
        QVERIFY(!readOut->text().isEmpty());
        const double contrast = drawnContrast(readOut);
        QVERIFY2(contrast >= Contrast::ReadableRatio, qPrintable(u"%1: %2:1"_s.arg(name).arg(contrast, 0, 'f', 1)));
    }

    // The hands are black whatever the window: the dial under them stays light enough to show them.
    const QImage face = control<ClockFace>(window, "LC")->image();
    const QColor dial = face.pixelColor(face.width() / 2, face.height() / 4);
    QVERIFY(Contrast::ratio(dial, Qt::black) >= Contrast::ReadableRatio);
}

QTEST_MAIN(tst_Legibility)
#include "tst_Legibility.moc"
