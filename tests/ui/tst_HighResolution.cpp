#include <QTest>

#include "core/Twips.h"
#include "support/CaptionCheck.h"
#include "support/MainWindowRig.h"
#include "ui/main/ClockFace.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int Scale = 2;
const QStringList FaceNames = {u"LC"_s, u"GMTc"_s, u"CC"_s, u"DC"_s, u"EC"_s, u"FC"_s, u"GC"_s};

// The longest run of pixels along the row whose brightness lies strictly between that of both neighbours: the
// width of the softest edge crossed. Drawn for the screen, an edge that crosses the row upright is at most one
// pixel soft; a picture of half the size scaled up smears it over two or more.
int softestEdge(const QImage& image, int row, int fromX, int toX)
{
    int longest = 0;
    int run = 0;
    for (int x = fromX + 1; x < toX; ++x) {
        const int before = qGray(image.pixel(x - 1, row));
        const int here = qGray(image.pixel(x, row));
        const int after = qGray(image.pixel(x + 1, row));
        const bool between = (before < here && here < after) || (before > here && here > after);
        run = between ? run + 1 : 0;
        longest = qMax(longest, run);
    }
    return longest;
}

} // namespace

// Run at a device pixel ratio of 2 (QT_SCALE_FACTOR=2): the faces are drawn for the screen's pixels, not scaled
// up from a picture of half the size.
class tst_HighResolution : public QObject
{
    Q_OBJECT

private slots:
    void facesAreDrawnAtFullResolution();
    void captionsAreReadWholeInTheirColumns();
};

void tst_HighResolution::facesAreDrawnAtFullResolution()
{
    MainWindowRig rig(nullptr, QDateTime(QDate(2026, 12, 8), QTime(9, 0, 20)));
    huxofrm& window = *rig.window;
    window.show();
    QCOMPARE(window.devicePixelRatioF(), double(Scale));

    // A face is 915 by 885 twips, 15 twips to a logical pixel, each of which is Scale screen pixels across.
    const QSize deviceSize(Twips::toPixels(915) * Scale, Twips::toPixels(885) * Scale);
    for (const QString& name : FaceNames) {
        auto* face = control<ClockFace>(window, qPrintable(name));
        // What reaches the screen is the face's own image, pixel for pixel.
        const QImage shown = face->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), deviceSize);
        QVERIFY2(shown == face->image(), qPrintable(name));
        // Along the middle row the left half crosses the rim and the nine o'clock mark.
        const int row = deviceSize.height() / 2;
        QVERIFY2(softestEdge(shown, row, 0, deviceSize.width() / 2) <= 1, qPrintable(name));
    }
    // The hands are as wide in screen pixels as the scale says: two points make four pixels across.
    const auto* local = control<ClockFace>(window, "LC");
    const QImage& image = local->image();
    const QPoint onMinuteHand = local->toPixel(0, 9);
    int black = 0;
    for (int x = onMinuteHand.x() - 6; x <= onMinuteHand.x() + 6; ++x) {
        black += image.pixelColor(x, onMinuteHand.y()) == QColor(Qt::black) ? 1 : 0;
    }
    QCOMPARE(black, 4);
}

void tst_HighResolution::captionsAreReadWholeInTheirColumns()
{
    MainWindowRig rig;
    auto* caption = control<CaptionLabel>(*rig.window, "DCap");
    QCOMPARE(caption->devicePixelRatioF(), double(Scale));
    for (const QString& text : captionsToShowWhole()) {
        caption->setText(text);
        const QString fault = captionFault(*caption);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }
}

QTEST_MAIN(tst_HighResolution)
#include "tst_HighResolution.moc"
